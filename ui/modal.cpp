#include "ui/modal.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ui/icons.h"
#include "ui/layout.h"

namespace sarvell::ui {

namespace {

struct Frame {
    HWND window;
    HWND previousActive;
    HWND previousFocus;  // disabling its window takes the focus away: it is given back at the end
    std::vector<HWND> disabled;
};

std::vector<Frame>& Frames() {
    static std::vector<Frame> frames;
    return frames;
}

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
    auto* frame = reinterpret_cast<Frame*>(param);
    if (hwnd != frame->window && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        frame->disabled.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

void RunModal(HWND window) {
    Frame frame{window, GetActiveWindow(), GetFocus(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&frame));
    Frames().push_back(std::move(frame));

    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    // The first control in tab order has the focus, as in a dialog.
    if (HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
    MSG msg{};
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT belongs to the loop beneath: hand it on.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    EndModal(window);
}

void EndModal(HWND window) {
    auto& frames = Frames();
    const auto it = std::find_if(frames.begin(), frames.end(), [&](const Frame& f) { return f.window == window; });
    if (it == frames.end()) return;
    const Frame frame = *it;
    frames.erase(it);
    for (HWND h : frame.disabled) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
    if (frame.previousActive != nullptr && IsWindow(frame.previousActive)) {
        SetActiveWindow(frame.previousActive);
        if (IsChild(frame.previousActive, frame.previousFocus)) SetFocus(frame.previousFocus);
    }
}

void CentreOver(HWND window, HWND over) {
    RECT outer{}, target{};
    GetWindowRect(window, &outer);
    HMONITOR monitor = MonitorFromWindow(over != nullptr ? over : window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    if (over == nullptr || !GetWindowRect(over, &target)) target = info.rcWork;
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    int x = target.left + (target.right - target.left - w) / 2;
    int y = target.top + (target.bottom - target.top - h) / 2;
    const RECT& work = info.rcWork;
    x = std::max(static_cast<int>(work.left), std::min(x, static_cast<int>(work.right) - w));
    y = std::max(static_cast<int>(work.top), std::min(y, static_cast<int>(work.bottom) - h));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalForm::ShowModal(HWND opener) {
    if (hwnd() == nullptr) {
        Load(opener);
        CentreOver(hwnd(), opener);
    }
    RunModal(hwnd());
}

void ModalForm::CreateFor(const Frame& frame, HWND opener) {
    const UINT guess = opener != nullptr ? WindowDpi(opener) : SystemDpi();
    HICON icon = frame.iconId != 0 ? SharedIcon(frame.iconId, SystemMetric(SM_CXICON, guess)) : nullptr;
    HICON smallIcon = frame.iconId != 0 ? SharedIcon(frame.iconId, SystemMetric(SM_CXSMICON, guess)) : nullptr;
    RegisterClass(frame.className, icon, smallIcon);
    clientWidth_ = frame.clientWidth;
    clientHeight_ = frame.clientHeight;
    const SIZE size = OuterSize(TwipsToPixels(clientWidth_, guess), TwipsToPixels(clientHeight_, guess), frame.style,
                                frame.exStyle, guess);
    if (Create(frame.className, frame.title, frame.style, frame.exStyle, 0, 0, size.cx, size.cy, opener) == nullptr) {
        throw std::runtime_error("A window could not be created.");
    }
}

void ModalForm::FitClient(UINT dpi) {
    SetClientSize(hwnd(), TwipsToPixels(clientWidth_, dpi), TwipsToPixels(clientHeight_, dpi), dpi);
}

void ModalForm::Unload() {
    EndModal(hwnd());
    DestroyWindow(hwnd());
}

LRESULT ModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDCANCEL || (id == okId_ && code == BN_CLICKED)) {
                Unload();
            } else {
                OnCommand(id, code);
            }
            return 0;
        }
        case WM_SETCURSOR:
            if (linkId_ != 0 && reinterpret_cast<HWND>(wParam) == GetDlgItem(hwnd(), linkId_)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_CLOSE:
            Unload();
            return 0;
        default:
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace sarvell::ui
