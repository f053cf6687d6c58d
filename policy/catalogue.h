// Outlook's built-in Level 1 list as Sarvell shows it: 71 rows, each the
// extension, " - " and a description, in display order; and the types
// Outlook has blocked since, which the blocked view shows on request.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace sarvell::policy {

inline constexpr std::size_t kCatalogueSize = 71;
extern const std::array<std::string_view, kCatalogueSize> kCatalogue;

// A type today's Outlook blocks beyond the classic catalogue. Its extension
// is the table's, never read back out of a row: some hold a "-" themselves.
struct NewerType {
    std::string_view extension, description;
    std::string Row() const;  // as a catalogue row: "<extension> - <description>"
};
inline constexpr std::size_t kNewerTypesSize = 66;
extern const std::array<NewerType, kNewerTypesSize> kNewerTypes;  // in alphabetical order

}  // namespace sarvell::policy
