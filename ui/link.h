// A link label the keyboard reaches as the mouse does: it takes the focus
// with Tab, shows it, and Enter or Space follows it as a click does; a screen
// reader names it a link.
#pragma once

#include <windows.h>

namespace sarvell::ui {

// Takes over the keys and the focus of an SS_NOTIFY static control with
// WS_TABSTOP for the rest of its life.
void MakeKeyboardLink(HWND label);

}  // namespace sarvell::ui
