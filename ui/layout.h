// Window layouts are tables in twips (1/1440 inch), converted to pixels at
// the window's DPI, so the same table gives the same physical size at 100 %
// and at 150 % scaling.
#pragma once

#include <windows.h>

namespace sarvell::ui {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

// The DPI a window is shown at; 96 on systems that cannot tell.
UINT WindowDpi(HWND hwnd);
// The DPI of the primary monitor, which a new top-level window most likely
// gets: its size can then be right from the start.
UINT SystemDpi();
// The outer size of a window of that style whose client area is the size given.
SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);
// Sizes a window so that its client area has the given size: from the frame
// metrics at the DPI, then corrected by what the window really got, since a
// window manager's frame may differ from the metrics.
void SetClientSize(HWND hwnd, int width, int height, UINT dpi);
// A system metric at a DPI (icon sizes, for instance).
int SystemMetric(int index, UINT dpi);

}  // namespace sarvell::ui
