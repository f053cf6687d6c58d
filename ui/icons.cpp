#include "ui/icons.h"

namespace sarvell::ui {

namespace {
HICON Load(int id, int size, UINT flags) {
    return static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, flags));
}
}  // namespace

HICON SharedIcon(int id, int size) { return Load(id, size, LR_SHARED); }

UniqueIcon LoadIconAt(int id, int size) { return UniqueIcon(Load(id, size, LR_DEFAULTCOLOR)); }

UniqueIcon SetControlIcon(HWND control, int id, int size) {
    UniqueIcon icon = LoadIconAt(id, size);
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    return icon;
}

}  // namespace sarvell::ui
