// A tool tip on a control: shown while the mouse rests on it.
#pragma once

#include <windows.h>

namespace sarvell::ui {

// Made for `owner`, which it lives as long as. Null when it could not be made.
HWND MakeToolTip(HWND owner);
// The tip shows `text` over `control`, a child of `owner`; with no text it
// shows nothing there. Does nothing without a tip.
void SetToolTip(HWND tip, HWND owner, HWND control, const wchar_t* text);

// The tip shows `text` at a point on the screen, whatever the mouse does,
// until it is asked again with no text.
void TrackToolTip(HWND tip, HWND owner, const wchar_t* text, POINT at = {});

}  // namespace sarvell::ui
