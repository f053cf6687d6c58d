#include "ui/icons.h"

namespace sarvell::ui {

UniqueIcon LoadIconAt(int id, int size) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

UniqueIcon SetControlIcon(HWND control, int id, int size) {
    UniqueIcon icon = LoadIconAt(id, size);
    SendMessageW(control, STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    return icon;
}

}  // namespace sarvell::ui
