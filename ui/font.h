// The dialog font of every window: "MS Sans Serif" 8.25 pt, made for the
// window's DPI.
#pragma once

#include <windows.h>

#include "ui/handle.h"

namespace sarvell::ui {

// "MS Sans Serif" is a bitmap font with a few sizes: where it has none near
// the size asked for (200 % scaling, for one), its outline twin "Microsoft
// Sans Serif" is used instead of a blurred or ill-fitting bitmap, and under
// Wine, which has no such twin, Tahoma.
UniqueFont CreateDialogFont(UINT dpi, LONG weight = FW_NORMAL, bool underline = false);

}  // namespace sarvell::ui
