// Texts are UTF-8 inside the program and UTF-16 at the Windows API. The
// conversion keeps unpaired surrogates (WTF-8), so a row read back from a
// list box equals the entry that filled it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace sarvell::ui {

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);

// The whole text of a window (caption, edit contents), however long.
std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view text);

}  // namespace sarvell::ui
