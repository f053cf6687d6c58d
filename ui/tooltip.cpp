#include "ui/tooltip.h"

#include <commctrl.h>

namespace sarvell::ui {

HWND MakeToolTip(HWND owner) {
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

namespace {

// A tool of the tip: replaced by `text`, or taken away with none.
bool Replace(HWND tip, HWND owner, UINT_PTR id, UINT flags, const wchar_t* text) {
    if (tip == nullptr) return false;
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = flags;
    info.hwnd = owner;
    info.uId = id;
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (text == nullptr) return false;
    info.lpszText = const_cast<wchar_t*>(text);  // copied by the tip
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    return true;
}

}  // namespace

void SetToolTip(HWND tip, HWND owner, HWND control, const wchar_t* text) {
    Replace(tip, owner, reinterpret_cast<UINT_PTR>(control), TTF_IDISHWND | TTF_SUBCLASS, text);
}

void TrackToolTip(HWND tip, HWND owner, const wchar_t* text, POINT at) {
    TTTOOLINFOW info{};  // the tracked tool: id 0, which no control's handle is
    info.cbSize = sizeof info;
    info.hwnd = owner;
    if (tip != nullptr) SendMessageW(tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
    if (!Replace(tip, owner, 0, TTF_TRACK | TTF_ABSOLUTE, text)) return;
    // The mouse's tip goes first: hidden later, as the mouse leaves its
    // control, it would take this one with it, as they share the window.
    SendMessageW(tip, TTM_POP, 0, 0);
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

}  // namespace sarvell::ui
