// The base of every form: one window procedure for all of them, which finds
// the form object on the window and calls its member handler. No C++
// exception crosses back into Windows: one that reaches a callback is fatal,
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

protected:
    // Creates the window with `this` as its object, registering its class
    // the first time.
    HWND Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int width, int height,
                HWND owner);

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
[[noreturn]] void ReportUntrapped() noexcept;

// Runs the work of a callback that Windows calls: the exception barrier.
template <typename Work>
auto Guarded(Work&& work) noexcept -> decltype(work()) {
    try {
        return work();
    } catch (...) {
        ReportUntrapped();
    }
}

}  // namespace sarvell::ui
