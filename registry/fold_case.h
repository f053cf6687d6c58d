// Case folding as the registry compares names: per UTF-16 code unit, every
// letter of a pair to the same code unit.
#pragma once

#include <string_view>

namespace sarvell::registry {

char16_t FoldCase(char16_t c);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace sarvell::registry
