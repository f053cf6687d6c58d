#include "ui/text.h"

#include <vector>

namespace sarvell::ui {

std::string WindowText(HWND hwnd) {
    // The length is a hint only: the text may change between the two calls.
    for (;;) {
        const int length = GetWindowTextLengthW(hwnd);
        std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 2);
        const int copied = GetWindowTextW(hwnd, buffer.data(), static_cast<int>(buffer.size()));
        if (copied <= length) return text::Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
    }
}

void SetWindowTextUtf8(HWND hwnd, std::string_view utf8) { SetWindowTextW(hwnd, text::Widen(utf8).c_str()); }

}  // namespace sarvell::ui
