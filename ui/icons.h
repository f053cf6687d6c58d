// Icons from the program's resources, made at the pixel size the DPI asks for.
#pragma once

#include <windows.h>

#include "ui/handle.h"

namespace sarvell::ui {

UniqueIcon LoadIconAt(int id, int size);

// Shows icon `id` at `size` pixels in an SS_ICON static. The caller keeps
// what comes back for as long as the control shows it.
UniqueIcon SetControlIcon(HWND control, int id, int size);

}  // namespace sarvell::ui
