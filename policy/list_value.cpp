#include "policy/list_value.h"

namespace sarvell::policy {

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
    std::string text;
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

std::string CatalogueExtension(std::string_view row) { return std::string(row.substr(0, row.find(kRowSeparator))); }

}  // namespace sarvell::policy
