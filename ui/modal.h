// Modality as a dialog box has it, for a window of the program's own: while
// it is up, every other window of the thread takes no input, and at its end
// the window beneath is active again with the focus where it was.
#pragma once

#include <windows.h>

#include <vector>

namespace sarvell::ui {

class ModalFrame {
public:
    // Disables the thread's other visible windows, then shows `window` and
    // makes it active.
    explicit ModalFrame(HWND window);
    ModalFrame(const ModalFrame&) = delete;
    ModalFrame& operator=(const ModalFrame&) = delete;
    ~ModalFrame() { End(); }

    // Runs the thread's messages until the window is gone, or WM_QUIT comes,
    // which is handed on to the loop beneath.
    void Run();
    // Gives back what the frame took, once. Called before the window is
    // destroyed, activation returns to the window beneath and not to
    // another program.
    void End();

private:
    static BOOL CALLBACK DisableOther(HWND hwnd, LPARAM self);

    HWND window_;
    HWND previousActive_;
    HWND previousFocus_;  // disabling its window takes the focus away: it is given back at the end
    std::vector<HWND> disabled_;
    bool ended_ = false;
};

}  // namespace sarvell::ui
