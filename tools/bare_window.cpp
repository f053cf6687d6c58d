// The yardsticks of the start-up benchmark, built and started the way
// Sarvell.exe is: the least a Win32 program with a window does; and, built
// with SARVELL_CONTROLS and Sarvell's manifest, that window with the main
// window's fourteen standard controls and their texts, and nothing else.
#include <windows.h>

#ifdef SARVELL_CONTROLS
#include "app/frm_main.h"
#include "ui/font.h"
#include "ui/text.h"
#endif

namespace {
LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"SarvellBareWindow";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowW(L"SarvellBareWindow", L"Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                              CW_USEDEFAULT, 400, 400, nullptr, nullptr, instance, nullptr);
#ifdef SARVELL_CONTROLS
    const HFONT font = sarvell::ui::CreateDialogFont(96).release();
    for (const sarvell::ui::Control& c : sarvell::app::MainControls()) {
        HWND control = CreateWindowExW(c.kind.exStyle, c.kind.className, sarvell::text::Widen(c.text).c_str(),
                                       c.kind.style | c.style | WS_CHILD | WS_VISIBLE, MulDiv(c.left, 96, 1440),
                                       MulDiv(c.top, 96, 1440), MulDiv(c.width, 96, 1440), MulDiv(c.height, 96, 1440), hwnd,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SetWindowTextW(GetDlgItem(hwnd, sarvell::app::kLabel3), L"Outlook v16.0");
#endif
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
