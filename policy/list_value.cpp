#include "policy/list_value.h"

namespace sarvell::policy {

namespace {

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<std::string> SplitEntries(std::string_view text) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(kEntrySeparator, start);
        if (end == std::string_view::npos) {
            entries.emplace_back(text.substr(start));
            return entries;
        }
        entries.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string JoinEntries(const std::vector<std::string>& entries) {
    std::size_t size = 0;
    for (const auto& e : entries) size += e.size() + 1;
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i != 0) text += kEntrySeparator;
        text += entries[i];
    }
    return text;
}

std::string PrependEntry(std::string_view entry, std::string_view textRead) {
    std::string text(entry);
    if (textRead != kNone) {
        text += kEntrySeparator;
        text += textRead;
    }
    return text;
}

std::string UserRow(std::string_view entry) {
    std::string row(entry);
    row += kRowSeparator;
    row += kUserApplied;
    return row;
}

bool ParseUserRow(std::string_view row, std::string& entry) {
    const std::size_t markerSize = kRowSeparator.size() + kUserApplied.size();
    if (row.size() < markerSize) return false;
    const std::string_view tail = row.substr(row.size() - markerSize);
    if (tail.substr(0, kRowSeparator.size()) != kRowSeparator || tail.substr(kRowSeparator.size()) != kUserApplied) {
        return false;
    }
    entry = std::string(row.substr(0, row.size() - markerSize));
    return true;
}

std::string CatalogueExtension(std::string_view row) { return std::string(Trim(row.substr(0, row.find('-')))); }

}  // namespace sarvell::policy
