#include "ui/separator.h"

#include <commctrl.h>

#include <vector>

#include "ui/handle.h"
#include "ui/barrier.h"

namespace sarvell::ui {

namespace {

constexpr UINT_PTR kSubclassId = 0x5345;  // any number unique on the control

void Paint(HWND box, HDC dc) {
    RECT client{};
    GetClientRect(box, &client);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    ScopedSelect selectFont(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));

    const int length = GetWindowTextLengthW(box);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    const int copied = GetWindowTextW(box, text.data(), length + 1);
    SIZE extent{};
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    if (copied > 0) GetTextExtentPoint32W(dc, text.data(), copied, &extent);

    // The frame's top edge runs through the middle of the caption.
    RECT frame = client;
    frame.top += tm.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (copied <= 0) return;

    const int left = MulDiv(8, static_cast<int>(GetDpiForWindow(box)), 96);
    RECT caption{left, 0, left + extent.cx, tm.tmHeight};
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(box) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    ExtTextOutW(dc, caption.left, caption.top, ETO_OPAQUE, &caption, text.data(), static_cast<UINT>(copied),
                nullptr);
}

LRESULT CALLBACK SeparatorProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return Guarded([&]() -> LRESULT {
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT ps{};
                HDC dc = BeginPaint(box, &ps);
                if (dc != nullptr) Paint(box, dc);
                EndPaint(box, &ps);
                return 0;
            }
            case WM_ENABLE:
            case WM_SETTEXT: {
                const LRESULT r = DefSubclassProc(box, message, wParam, lParam);
                InvalidateRect(box, nullptr, TRUE);
                return r;
            }
            case WM_NCDESTROY:
                RemoveWindowSubclass(box, &SeparatorProc, kSubclassId);
                break;
            default:
                break;
        }
        return DefSubclassProc(box, message, wParam, lParam);
    });
}

}  // namespace

void PaintAsSeparator(HWND groupBox) { SetWindowSubclass(groupBox, &SeparatorProc, kSubclassId, 0); }

}  // namespace sarvell::ui
