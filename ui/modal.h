// Modal windows as the program's forms have them: while one is up, every
// other window of the thread takes no input, and showing it returns only
// once it has closed.
#pragma once

#include <windows.h>

namespace sarvell::ui {

// Shows a window modally and runs its messages until it is destroyed.
void RunModal(HWND window);

// Gives the windows a modal window disabled their input back; a modal
// window calls it just before it is destroyed, so that activation returns
// to the window beneath and not to another program.
void EndModal(HWND window);

// Places a window centred over another (the whole screen's work area when
// there is none), kept inside the work area of that monitor.
void CentreOver(HWND window, HWND over);

}  // namespace sarvell::ui
