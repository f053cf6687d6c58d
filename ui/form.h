// The base of the program's windows. A form is its table: the window's frame
// and its controls in twips, shown at the window's DPI and shown again when
// the DPI changes; the fonts and colours each control's look asks for; and
// showing, modeless or modal.
#pragma once

#include <windows.h>

#include <array>
#include <span>

#include "ui/handle.h"
#include "ui/window.h"

namespace sarvell::ui {

// A control's font and, for a static control, its colours. Labels are
// transparent, as text drawn on the form itself: one that overlaps another
// control hides nothing of it.
enum class Look {
    Plain,  // dialog font, the control's own colours
    Label,  // dialog font, transparent
    Title,  // bold, transparent
    Link,   // underlined blue, transparent; the pointer is a hand over it
    Well,   // on the window-background colour: a picture box
    Banner, // on white, drawn by the control itself: a picture on a white banner
};

struct Control {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle;
    int left, top, width, height;  // twips, from the client area's top-left corner
    Look look = Look::Plain;
};

// Labels show their text as it is: an "&" in it is no access key.
inline constexpr DWORD kWrappedLabel = SS_LEFT | SS_NOPREFIX;
inline constexpr DWORD kLineLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
inline constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;

struct FormLayout {
    const wchar_t* className;
    const wchar_t* title;
    DWORD style, exStyle;
    int clientWidth, clientHeight;  // twips
    int icon;                                // the title bar's icon resource, or 0
    int picture, pictureIcon, pictureTwips;  // an SS_ICON control, its icon and size, or 0s
    // In tab order, which is also the z-order: a control lies above those
    // after it, and a screen reader names a text box or list after the label
    // just before it.
    std::span<const Control> controls;
    int okId;  // modal: the button that closes it, as Escape and the close box do; 0 when modeless
};

class Form : public Window {
public:
    UINT Dpi() const { return dpi_; }
    const FormLayout& Layout() const { return layout_; }
    // Loads the form when needed and shows it modally, centred over
    // `opener`; returns once it has closed, which may have destroyed this.
    void ShowModal(HWND opener);

protected:
    explicit Form(const FormLayout& layout) : layout_(layout) {}

    // Creates the window, hidden, with its controls at the DPI of the
    // monitor it opens on; throws when it cannot.
    void Create(HWND owner);
    virtual void Load(HWND opener) = 0;
    virtual void OnCommand(int id, int code) = 0;
    // After the controls have been placed for a new DPI.
    virtual void OnDpi() {}
    virtual void Paint(HDC) {}
    void Unload();
    int Px(int twips) const;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyDpi(UINT dpi);
    Look LookOf(HWND control) const;

    const FormLayout& layout_;
    UINT dpi_ = 96;
    std::array<UniqueFont, 3> fonts_;  // dialog, bold, link
    UniqueIcon icon_, smallIcon_, picture_;
    HWND focus_ = nullptr;  // the control that had the focus when the window was last active
};

}  // namespace sarvell::ui
