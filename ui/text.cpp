#include "ui/text.h"

#include <vector>

#include "text/wtf8.h"

namespace sarvell::ui {

std::wstring Widen(std::string_view text) {
    const std::u16string w = sarvell::text::FromWtf8(text);
    return std::wstring(w.begin(), w.end());
}

std::string Narrow(std::wstring_view text) {
    return sarvell::text::ToWtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()), text.size()));
}

std::string WindowText(HWND hwnd) {
    // The length is a hint only: the text may change between the two calls.
    for (;;) {
        const int length = GetWindowTextLengthW(hwnd);
        std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 2);
        const int copied = GetWindowTextW(hwnd, buffer.data(), static_cast<int>(buffer.size()));
        if (copied <= length) return Narrow(std::wstring_view(buffer.data(), static_cast<std::size_t>(copied)));
    }
}

void SetWindowTextUtf8(HWND hwnd, std::string_view text) { SetWindowTextW(hwnd, Widen(text).c_str()); }

}  // namespace sarvell::ui
