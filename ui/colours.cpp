#include "ui/colours.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sarvell::ui {

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

std::optional<bool>& Forced() {
    static std::optional<bool> forced;
    return forced;
}

// Blue on the window's face while it reads there (WCAG's 4.5 to 1); on a
// face too dark for it, the face's own text colour.
COLORREF LinkColour() {
    if (HighContrast()) return GetSysColor(COLOR_HOTLIGHT);
    return Contrast(kLinkBlue, GetSysColor(COLOR_BTNFACE)) >= 4.5 ? kLinkBlue : GetSysColor(COLOR_BTNTEXT);
}

}  // namespace

double Contrast(COLORREF a, COLORREF b) {
    const auto luminance = [](COLORREF c) {
        const auto linear = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(GetRValue(c)) + 0.7152 * linear(GetGValue(c)) + 0.0722 * linear(GetBValue(c));
    };
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

bool HighContrast() {
    if (Forced()) return *Forced();
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) && (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

ContrastScope::ContrastScope(bool on) : previous_(std::exchange(Forced(), on)) {}

ContrastScope::~ContrastScope() { Forced() = previous_; }

COLORREF Drawn(COLORREF own, int system) { return HighContrast() ? GetSysColor(system) : own; }

COLORREF BannerColour() { return Drawn(kWhite, COLOR_WINDOW); }

HBRUSH ColourStatic(HDC dc, Look look, bool onBanner) {
    if (look == Look::Plain || look == Look::Separator) return nullptr;
    const bool system = HighContrast();
    // A picture fills its own background: an icon's clear corners must not
    // show whatever the window held before it was painted.
    if (look == Look::Well || (look == Look::Banner && system)) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return GetSysColorBrush(COLOR_WINDOW);
    }
    if (look == Look::Banner) {
        SetBkColor(dc, kWhite);
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    }
    if (look == Look::Link) {
        SetTextColor(dc, LinkColour());
    } else {
        SetTextColor(dc, onBanner ? Drawn(kBlack, COLOR_WINDOWTEXT) : GetSysColor(COLOR_BTNTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace sarvell::ui
