// An independent model of what the policy must show and keep, for the fault
// loop and the fuzzer: the rows a refreshed list must hold, and the check
// that no stored list entry was lost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "registry/platform.h"

namespace sarvell::test {

// A list value as stored, and its entries as a user sees them.
struct ListState {
    bool present = false;
    bool isText = false;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    std::vector<std::string> entries;  // empty for an absent, empty or "none" text
};

ListState ReadList(registry::Platform& p, const std::string& keyPath, const std::string& name);

// The rows the list must show for what is stored, built the plain way.
std::vector<std::string> ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView);

// Empty when every entry of `before` is still in `after` (counted with
// repeats), except one occurrence of `removed`; otherwise what went missing.
std::string LostEntries(const ListState& before, const ListState& after, const std::optional<std::string>& removed);

}  // namespace sarvell::test
