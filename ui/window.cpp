#include "ui/window.h"

#include <exception>

namespace sarvell::ui {

namespace {
int liveWindows = 0;
FatalErrorReport fatalErrorReport = nullptr;
}  // namespace

Window::~Window() {
    if (hwnd_ != nullptr) {
        // The window must not call back into a half-destroyed object.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        HWND h = hwnd_;
        hwnd_ = nullptr;
        if (--liveWindows == 0) PostQuitMessage(0);
        DestroyWindow(h);
    }
}

HWND Window::Create(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int width, int height,
                    HWND owner) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Window::Thunk;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        RegisterClassExW(&wc);
    }
    return CreateWindowExW(exStyle, className, title, style, CW_USEDEFAULT, CW_USEDEFAULT, width, height, owner, nullptr,
                           instance, this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ++liveWindows;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);

    const LRESULT result = Guarded([&] { return self->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        // The program ends with its last window, even while the thread is
        // inside GetMessage handling a message sent by another process.
        if (--liveWindows == 0) PostQuitMessage(0);
        self->OnFinalMessage();
    }
    return result;
}

int LiveWindowCount() { return liveWindows; }

void SetFatalErrorReport(FatalErrorReport report) { fatalErrorReport = report; }

void ReportUntrapped() noexcept {
    if (fatalErrorReport != nullptr) fatalErrorReport();
    std::terminate();
}

}  // namespace sarvell::ui
