#include "ui/modal.h"

#include "ui/barrier.h"

namespace sarvell::ui {

ModalFrame::ModalFrame(HWND window) : window_(window), previousActive_(GetActiveWindow()), previousFocus_(GetFocus()) {
    EnumThreadWindows(GetCurrentThreadId(), &DisableOther, reinterpret_cast<LPARAM>(this));
    ShowWindow(window_, SW_SHOW);
    SetActiveWindow(window_);
}

BOOL CALLBACK ModalFrame::DisableOther(HWND hwnd, LPARAM self) {
    return Guarded([&] {
        auto* frame = reinterpret_cast<ModalFrame*>(self);
        if (hwnd != frame->window_ && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            frame->disabled_.push_back(hwnd);
        }
        return TRUE;
    });
}

void ModalFrame::Run() {
    MSG msg{};
    while (IsWindow(window_)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(window_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    End();
}

void ModalFrame::End() {
    if (ended_) return;
    ended_ = true;
    for (HWND h : disabled_) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
    if (previousActive_ != nullptr && IsWindow(previousActive_)) {
        SetActiveWindow(previousActive_);
        if (IsChild(previousActive_, previousFocus_)) SetFocus(previousFocus_);
    }
}

}  // namespace sarvell::ui
