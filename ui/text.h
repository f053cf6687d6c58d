// Window texts in the program's UTF-8 (WTF-8: a row read back from a list
// box equals the entry that filled it, unpaired surrogates and all).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "text/wtf8.h"

namespace sarvell::ui {

// The whole text of a window (caption, edit contents), however long.
std::string WindowText(HWND hwnd);
void SetWindowTextUtf8(HWND hwnd, std::string_view utf8);

}  // namespace sarvell::ui
