// The text of Level1Remove and Level1Add: entries joined by ";", new entries
// in front. Entries are kept exactly: never trimmed, case-folded, sorted or
// de-duplicated, and empty entries survive a read and rewrite.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sarvell::policy {

inline constexpr std::string_view kRemoveValue = "Level1Remove";
inline constexpr std::string_view kAddValue = "Level1Add";
// What a read answers when there is no list.
inline constexpr std::string_view kNone = "none";
inline constexpr std::string_view kUserApplied = "User Applied";
inline constexpr std::string_view kRowSeparator = " - ";
inline constexpr char kEntrySeparator = ';';

// Splits at every ";"; a text without one is one entry.
std::vector<std::string> SplitEntries(std::string_view text);
std::string JoinEntries(const std::vector<std::string>& entries);
// The text with `entry` in front: "entry;text", or the entry alone when the
// text read was the sentinel.
std::string PrependEntry(std::string_view entry, std::string_view textRead);

// Blocked-view row of a Level1Add entry: "<entry> - User Applied".
std::string UserRow(std::string_view entry);
// The extension of a catalogue row: its text before " - ".
std::string CatalogueExtension(std::string_view row);

}  // namespace sarvell::policy
