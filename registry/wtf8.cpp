#include "registry/wtf8.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace sarvell::registry {

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

namespace {

// The letters the registry compares without case, as Wine's registry does:
// each maps to the first letter of its pair. A run maps every `step`-th code
// unit from `first` to `last` by adding `delta`. Taken from Wine 8 by
// creating a key for every UTF-16 code unit and seeing which ones opened an
// existing key.
struct FoldRun {
    char16_t first, last;
    int step, delta;
};
constexpr FoldRun kFoldRuns[] = {
    {0x61, 0x7A, 1, -32}, {0xE0, 0xF6, 1, -32}, {0xF8, 0xFE, 1, -32}, {0x101, 0x12F, 2, -1}, {0x133, 0x137, 2, -1},
    {0x13A, 0x148, 2, -1}, {0x14B, 0x177, 2, -1}, {0x178, 0x178, 1, -121}, {0x17A, 0x17E, 2, -1},
    {0x183, 0x185, 2, -1}, {0x188, 0x188, 1, -1}, {0x18C, 0x18C, 1, -1}, {0x192, 0x192, 1, -1}, {0x199, 0x199, 1, -1},
    {0x1A1, 0x1A5, 2, -1}, {0x1A8, 0x1A8, 1, -1}, {0x1AD, 0x1AD, 1, -1}, {0x1B0, 0x1B0, 1, -1}, {0x1B4, 0x1B6, 2, -1},
    {0x1B9, 0x1B9, 1, -1}, {0x1BD, 0x1BD, 1, -1}, {0x1C6, 0x1C6, 1, -2}, {0x1C9, 0x1C9, 1, -2}, {0x1CC, 0x1CC, 1, -2},
    {0x1CE, 0x1DC, 2, -1}, {0x1DD, 0x1DD, 1, -79}, {0x1DF, 0x1EF, 2, -1}, {0x1F3, 0x1F3, 1, -2},
    {0x1F5, 0x1F5, 1, -1}, {0x1F6, 0x1F6, 1, -97}, {0x1F7, 0x1F7, 1, -56}, {0x1F9, 0x21F, 2, -1},
    {0x220, 0x220, 1, -130}, {0x223, 0x233, 2, -1}, {0x23C, 0x23C, 1, -1}, {0x23D, 0x23D, 1, -163},
    {0x242, 0x242, 1, -1}, {0x243, 0x243, 1, -195}, {0x247, 0x24F, 2, -1}, {0x253, 0x253, 1, -210},
    {0x254, 0x254, 1, -206}, {0x256, 0x257, 1, -205}, {0x259, 0x259, 1, -202}, {0x25B, 0x25B, 1, -203},
    {0x260, 0x260, 1, -205}, {0x263, 0x263, 1, -207}, {0x268, 0x268, 1, -209}, {0x269, 0x269, 1, -211},
    {0x26F, 0x26F, 1, -211}, {0x272, 0x272, 1, -213}, {0x275, 0x275, 1, -214}, {0x280, 0x280, 1, -218},
    {0x283, 0x283, 1, -218}, {0x288, 0x288, 1, -218}, {0x289, 0x289, 1, -69}, {0x28A, 0x28B, 1, -217},
    {0x28C, 0x28C, 1, -71}, {0x292, 0x292, 1, -219}, {0x371, 0x373, 2, -1}, {0x377, 0x377, 1, -1},
    {0x3AC, 0x3AC, 1, -38}, {0x3AD, 0x3AF, 1, -37}, {0x3B1, 0x3C1, 1, -32}, {0x3C3, 0x3CB, 1, -32},
    {0x3CC, 0x3CC, 1, -64}, {0x3CD, 0x3CE, 1, -63}, {0x3D7, 0x3D7, 1, -8}, {0x3D9, 0x3EF, 2, -1},
    {0x3F3, 0x3F3, 1, -116}, {0x3F8, 0x3F8, 1, -1}, {0x3F9, 0x3F9, 1, -7}, {0x3FB, 0x3FB, 1, -1},
    {0x3FD, 0x3FF, 1, -130}, {0x430, 0x44F, 1, -32}, {0x450, 0x45F, 1, -80}, {0x461, 0x481, 2, -1},
    {0x48B, 0x4BF, 2, -1}, {0x4C2, 0x4CE, 2, -1}, {0x4CF, 0x4CF, 1, -15}, {0x4D1, 0x52F, 2, -1},
    {0x561, 0x586, 1, -48}, {0x13F8, 0x13FD, 1, -8}, {0x1C90, 0x1CBA, 1, -3008}, {0x1CBD, 0x1CBF, 1, -3008},
    {0x1E01, 0x1E95, 2, -1}, {0x1EA1, 0x1EFF, 2, -1}, {0x1F08, 0x1F0F, 1, -8}, {0x1F18, 0x1F1D, 1, -8},
    {0x1F28, 0x1F2F, 1, -8}, {0x1F38, 0x1F3F, 1, -8}, {0x1F48, 0x1F4D, 1, -8}, {0x1F59, 0x1F5F, 2, -8},
    {0x1F68, 0x1F6F, 1, -8}, {0x1F88, 0x1F8F, 1, -8}, {0x1F98, 0x1F9F, 1, -8}, {0x1FA8, 0x1FAF, 1, -8},
    {0x1FB8, 0x1FB9, 1, -8}, {0x1FBA, 0x1FBB, 1, -74}, {0x1FBC, 0x1FBC, 1, -9}, {0x1FC8, 0x1FCB, 1, -86},
    {0x1FCC, 0x1FCC, 1, -9}, {0x1FD8, 0x1FD9, 1, -8}, {0x1FDA, 0x1FDB, 1, -100}, {0x1FE8, 0x1FE9, 1, -8},
    {0x1FEA, 0x1FEB, 1, -112}, {0x1FEC, 0x1FEC, 1, -7}, {0x1FF8, 0x1FF9, 1, -128}, {0x1FFA, 0x1FFB, 1, -126},
    {0x1FFC, 0x1FFC, 1, -9}, {0x214E, 0x214E, 1, -28}, {0x2170, 0x217F, 1, -16}, {0x2184, 0x2184, 1, -1},
    {0x24D0, 0x24E9, 1, -26}, {0x2C30, 0x2C5F, 1, -48}, {0x2C61, 0x2C61, 1, -1}, {0x2C62, 0x2C62, 1, -10743},
    {0x2C63, 0x2C63, 1, -3814}, {0x2C64, 0x2C64, 1, -10727}, {0x2C65, 0x2C65, 1, -10795}, {0x2C66, 0x2C66, 1, -10792},
    {0x2C68, 0x2C6C, 2, -1}, {0x2C6D, 0x2C6D, 1, -10780}, {0x2C6E, 0x2C6E, 1, -10749}, {0x2C6F, 0x2C6F, 1, -10783},
    {0x2C70, 0x2C70, 1, -10782}, {0x2C73, 0x2C73, 1, -1}, {0x2C76, 0x2C76, 1, -1}, {0x2C7E, 0x2C7F, 1, -10815},
    {0x2C81, 0x2CE3, 2, -1}, {0x2CEC, 0x2CEE, 2, -1}, {0x2CF3, 0x2CF3, 1, -1}, {0x2D00, 0x2D25, 1, -7264},
    {0x2D27, 0x2D27, 1, -7264}, {0x2D2D, 0x2D2D, 1, -7264}, {0xA641, 0xA66D, 2, -1}, {0xA681, 0xA69B, 2, -1},
    {0xA723, 0xA72F, 2, -1}, {0xA733, 0xA76F, 2, -1}, {0xA77A, 0xA77C, 2, -1}, {0xA77D, 0xA77D, 1, -35332},
    {0xA77F, 0xA787, 2, -1}, {0xA78C, 0xA78C, 1, -1}, {0xA78D, 0xA78D, 1, -42280}, {0xA791, 0xA793, 2, -1},
    {0xA797, 0xA7A9, 2, -1}, {0xA7AA, 0xA7AA, 1, -42308}, {0xA7AB, 0xA7AB, 1, -42319}, {0xA7AC, 0xA7AC, 1, -42315},
    {0xA7AD, 0xA7AD, 1, -42305}, {0xA7AE, 0xA7AE, 1, -42308}, {0xA7B0, 0xA7B0, 1, -42258},
    {0xA7B1, 0xA7B1, 1, -42282}, {0xA7B2, 0xA7B2, 1, -42261}, {0xA7B5, 0xA7C3, 2, -1}, {0xA7C4, 0xA7C4, 1, -48},
    {0xA7C5, 0xA7C5, 1, -42307}, {0xA7C6, 0xA7C6, 1, -35384}, {0xA7C8, 0xA7CA, 2, -1}, {0xA7D1, 0xA7D1, 1, -1},
    {0xA7D7, 0xA7D9, 2, -1}, {0xA7F6, 0xA7F6, 1, -1}, {0xAB53, 0xAB53, 1, -928}, {0xAB70, 0xABBF, 1, -38864},
    {0xFF41, 0xFF5A, 1, -32},
};

}  // namespace

char16_t FoldCase(char16_t c) {
    const FoldRun* run = std::lower_bound(std::begin(kFoldRuns), std::end(kFoldRuns), c,
                                          [](const FoldRun& r, char16_t u) { return r.last < u; });
    if (run == std::end(kFoldRuns) || c < run->first || (c - run->first) % run->step != 0) return c;
    return static_cast<char16_t>(c + run->delta);
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    const std::u16string wa = FromWtf8(a);
    const std::u16string wb = FromWtf8(b);
    if (wa.size() != wb.size()) return false;
    for (std::size_t i = 0; i < wa.size(); ++i) {
        if (FoldCase(wa[i]) != FoldCase(wb[i])) return false;
    }
    return true;
}

}  // namespace sarvell::registry
