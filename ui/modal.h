// Modal windows as the program's forms have them: while one is up, every
// other window of the thread takes no input, and showing it returns only
// once it has closed.
#pragma once

#include <windows.h>

#include "ui/window.h"

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

// The base of a form shown modally over the window that opens it: OK,
// Escape and the close box unload it, and one label may be a link.
class ModalForm : public Window {
public:
    // Loads the window when needed and shows it modally, centred over
    // `opener`; returns once it has closed, which may have destroyed this.
    void ShowModal(HWND opener);

protected:
    struct Frame {
        const wchar_t* className;
        const wchar_t* title;
        DWORD style, exStyle;
        int clientWidth, clientHeight;  // twips
        int iconId;                     // 0: none
    };

    // Creates the window, sized for the opener's DPI; throws on failure.
    void CreateFor(const Frame& frame, HWND opener);
    // Sizes the client area for a DPI.
    void FitClient(UINT dpi);
    virtual void Load(HWND opener) = 0;
    // A click on a control other than OK; Escape and OK are handled here.
    virtual void OnCommand(int id, int code) = 0;
    void Unload();

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    int okId_ = IDOK;
    int linkId_ = 0;  // the label that shows the hand cursor

private:
    int clientWidth_ = 0, clientHeight_ = 0;
};

}  // namespace sarvell::ui
