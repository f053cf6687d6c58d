// A group box drawn as the separator of a form: an etched frame whose caption
// is greyed while the box is disabled. Windows draws it so under visual
// styles; the classic painter and Wine leave the caption black.
#pragma once

#include <windows.h>

namespace sarvell::ui {

// Takes over the painting of a BS_GROUPBOX button for the rest of its life.
void PaintAsSeparator(HWND groupBox);

}  // namespace sarvell::ui
