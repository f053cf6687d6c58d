// UTF-16 <-> WTF-8. Registry names and strings, window texts and list rows
// are UTF-16 on Windows and may hold unpaired surrogates; WTF-8 carries
// those through a UTF-8 std::string and back unchanged, so no text is
// altered by a read and rewrite.
#pragma once

#include <string>
#include <string_view>

namespace sarvell::text {

std::string ToWtf8(std::u16string_view text);
// Bytes that form no valid sequence become U+FFFD each.
std::u16string FromWtf8(std::string_view text);

// The same at the Windows API, where a wchar_t is one UTF-16 unit.
std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

}  // namespace sarvell::text
