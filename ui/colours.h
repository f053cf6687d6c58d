// The colours of the forms. Each look has the table's own colours, and while
// a high-contrast scheme is on, the system's alone. A text takes its colour
// from where its background comes from: on the fixed white banner a fixed
// black, on a system background a system colour.
#pragma once

#include <windows.h>

#include <optional>

namespace sarvell::ui {

// A control's font and, for a static control, its colours. Labels are
// transparent, as text drawn on the form itself: one that overlaps another
// control hides nothing of it.
enum class Look {
    Plain,      // dialog font, the control's own colours
    Separator,  // a group box drawn as a caption on an etched line
    Label,      // dialog font, transparent
    Title,      // bold, transparent
    Link,       // underlined blue, transparent; the pointer is a hand over it
    Well,       // on the window-background colour: a picture box
    Banner,     // on the banner's colour, drawn by the control itself: a picture on the banner
};

// WCAG's contrast ratio of two colours, from 1 to 21.
double Contrast(COLORREF a, COLORREF b);

// Whether a high-contrast scheme is on.
bool HighContrast();

// Puts an answer in the system's place for the life of the scope: Wine
// answers "off" whatever the colours.
class ContrastScope {
public:
    explicit ContrastScope(bool on);
    ~ContrastScope();
    ContrastScope(const ContrastScope&) = delete;
    ContrastScope& operator=(const ContrastScope&) = delete;

private:
    std::optional<bool> previous_;
};

// White, or the system's window colour.
COLORREF BannerColour();
// Sets a static control's colours of `look` on its DC, and answers the brush
// of its background; null where the control keeps its own colours.
HBRUSH ColourStatic(HDC dc, Look look, bool onBanner);
// The colour of something drawn on the form: the table's, or a system one.
COLORREF Drawn(COLORREF own, int system);

}  // namespace sarvell::ui
