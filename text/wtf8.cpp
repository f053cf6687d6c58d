#include "text/wtf8.h"

#include <cstdint>

namespace sarvell::text {

namespace {

void Append(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool IsHigh(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string ToWtf8(std::u16string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t u = text[i];
        if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
            Append(out, 0x10000 + ((u - 0xD800) << 10) + (text[i + 1] - 0xDC00u));
            ++i;
        } else {
            Append(out, u);  // an unpaired surrogate keeps its own three bytes
        }
    }
    return out;
}

std::u16string FromWtf8(std::string_view text) {
    std::u16string out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    auto cont = [&](std::size_t k) { return k < n && (byte(k) & 0xC0) == 0x80; };
    while (i < n) {
        const std::uint8_t b = byte(i);
        std::uint32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (b < 0x80) {
            cp = b;
        } else if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
            cp = ((b & 0x1Fu) << 6) | (byte(i + 1) & 0x3Fu);
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
            const std::uint32_t v = ((b & 0x0Fu) << 12) | ((byte(i + 1) & 0x3Fu) << 6) | (byte(i + 2) & 0x3Fu);
            if (v >= 0x800) {
                cp = v;
                len = 3;
            }
        } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
            const std::uint32_t v = ((b & 0x07u) << 18) | ((byte(i + 1) & 0x3Fu) << 12) |
                                    ((byte(i + 2) & 0x3Fu) << 6) | (byte(i + 3) & 0x3Fu);
            if (v >= 0x10000 && v <= 0x10FFFF) {
                cp = v;
                len = 4;
            }
        }
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::wstring Widen(std::string_view text) {
    const std::u16string units = FromWtf8(text);
    return {units.begin(), units.end()};
}

std::string Narrow(std::wstring_view text) { return ToWtf8(std::u16string(text.begin(), text.end())); }

}  // namespace sarvell::text
