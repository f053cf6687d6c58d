// The base of every form: one window procedure for all of them, which finds
// the form object on the window and calls its member handler. No C++
// exception crosses back into Windows: one that reaches the thunk is fatal,
// handed to the program's report of every untrapped error.
#pragma once

#include <windows.h>

namespace sarvell::ui {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND hwnd() const { return hwnd_; }

    // Registers a window class whose procedure is the thunk; once per name.
    static void RegisterClass(const wchar_t* name);

protected:
    // Creates the window with `this` as its object.
    HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HWND owner);

    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when the window is gone; may delete the object.
    virtual void OnFinalMessage() {}

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// How many form windows exist; the program ends when none is left.
int LiveWindowCount();

// The program's report of an error nothing trapped, called inside the
// catch block; it ends the process. Without one the process just ends.
using FatalErrorReport = void (*)() noexcept;
void SetFatalErrorReport(FatalErrorReport report);

}  // namespace sarvell::ui
