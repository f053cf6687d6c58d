#include "ui/layout.h"

namespace sarvell::ui {

namespace {

// Per-monitor DPI functions appeared in Windows 10; looked up at run time so
// the program still starts on older systems, where the system DPI applies.
template <typename F>
F Lookup(const wchar_t* module, const char* name) {
    HMODULE m = GetModuleHandleW(module);
    return m == nullptr ? nullptr : reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m, name)));
}

}  // namespace

UINT SystemDpi() {
    using GetDpiForSystemFn = UINT(WINAPI*)();
    static const auto getDpi = Lookup<GetDpiForSystemFn>(L"user32.dll", "GetDpiForSystem");
    if (getDpi != nullptr) return getDpi();
    HDC dc = GetDC(nullptr);
    const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc != nullptr) ReleaseDC(nullptr, dc);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

UINT WindowDpi(HWND hwnd) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = Lookup<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (getDpi != nullptr && hwnd != nullptr) {
        const UINT dpi = getDpi(hwnd);
        if (dpi != 0) return dpi;
    }
    return SystemDpi();
}

SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = Lookup<AdjustFn>(L"user32.dll", "AdjustWindowRectExForDpi");
    RECT r{0, 0, clientWidth, clientHeight};
    if (adjust == nullptr || !adjust(&r, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void SetClientSize(HWND hwnd, int width, int height, UINT dpi) {
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    RECT client{}, outer{};
    GetClientRect(hwnd, &client);
    if (client.right == width && client.bottom == height) return;
    const SIZE size = OuterSize(width, height, static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)),
                                static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)), dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, kFlags);

    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &outer);
    const int dx = width - client.right, dy = height - client.bottom;
    if (dx != 0 || dy != 0) {
        SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy, kFlags);
    }
}

int SystemMetric(int index, UINT dpi) {
    using MetricFn = int(WINAPI*)(int, UINT);
    static const auto metric = Lookup<MetricFn>(L"user32.dll", "GetSystemMetricsForDpi");
    if (metric != nullptr) return metric(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace sarvell::ui
