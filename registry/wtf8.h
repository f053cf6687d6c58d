// UTF-16 <-> WTF-8. Registry names and strings are UTF-16 on Windows and may
// hold unpaired surrogates; WTF-8 carries those through a UTF-8 std::string
// and back unchanged, so no stored text is altered by a read and rewrite.
#pragma once

#include <string>
#include <string_view>

namespace sarvell::registry {

std::string ToWtf8(std::u16string_view text);
// Bytes that form no valid sequence become U+FFFD each.
std::u16string FromWtf8(std::string_view text);

// Case folding as the registry compares names: per UTF-16 code unit, every
// letter of a pair to the same code unit.
char16_t FoldCase(char16_t c);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace sarvell::registry
