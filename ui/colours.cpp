#include "ui/colours.h"

#include <utility>

namespace sarvell::ui {

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

std::optional<bool>& Forced() {
    static std::optional<bool> forced;
    return forced;
}

}  // namespace

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
        SetTextColor(dc, system ? GetSysColor(COLOR_HOTLIGHT) : kLinkBlue);
    } else {
        SetTextColor(dc, onBanner ? Drawn(kBlack, COLOR_WINDOWTEXT) : GetSysColor(COLOR_BTNTEXT));
    }
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

}  // namespace sarvell::ui
