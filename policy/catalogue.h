// Outlook's built-in Level 1 list as Sarvell shows it: 71 rows, each the
// extension, " - " and a description, in display order.
#pragma once

#include <array>
#include <string_view>

namespace sarvell::policy {

inline constexpr std::size_t kCatalogueSize = 71;
extern const std::array<std::string_view, kCatalogueSize> kCatalogue;

}  // namespace sarvell::policy
