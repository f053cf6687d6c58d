// The base of the program's windows. A form is its table: the window's frame
// and its controls in twips, shown at the window's DPI and shown again when
// the DPI changes; the fonts and colours each control's look asks for; its
// life from load to unload; and showing, modeless or modal. One window
// procedure serves every form: the object arrives with WM_NCCREATE, is kept
// on the window, and handles each message in a member function. A form
// unloaded from inside one of its own handlers is deleted once the
// outermost of them has returned.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "ui/barrier.h"
#include "ui/colours.h"
#include "ui/handle.h"
#include "ui/modal.h"

namespace sarvell::ui {

// What a control is: its window class, its styles and its look.
struct Kind {
    const wchar_t* className;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle = 0;
    Look look = Look::Plain;
};

inline constexpr Kind kPushButton{.className = L"Button", .style = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP};
inline constexpr Kind kOptionButton{.className = L"Button", .style = BS_AUTORADIOBUTTON};
inline constexpr Kind kTextBox{.className = L"Edit", .style = ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP,
                               .exStyle = WS_EX_CLIENTEDGE};
inline constexpr Kind kListBox{.className = L"ListBox", .style = LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                               .exStyle = WS_EX_CLIENTEDGE};
// Labels show their text as it is: an "&" in it is no access key.
inline constexpr Kind kWrappedLabel{.className = L"Static", .style = SS_LEFT | SS_NOPREFIX, .look = Look::Label};
inline constexpr Kind kLineLabel{.className = L"Static", .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX, .look = Look::Label};
inline constexpr Kind kTitle{.className = L"Static", .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX, .look = Look::Title};
// A link the keyboard reaches too: a tab stop that Enter or Space follows.
inline constexpr Kind kLink{.className = L"Static", .style = SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY | WS_TABSTOP, .look = Look::Link};
// An icon on the form, in a picture box, or on a white banner.
inline constexpr Kind kIcon{.className = L"Static", .style = SS_ICON | SS_CENTERIMAGE, .look = Look::Label};
inline constexpr Kind kPictureBox{.className = L"Static", .style = SS_ICON | SS_CENTERIMAGE, .look = Look::Well};
inline constexpr Kind kBannerIcon{.className = L"Static", .style = SS_ICON | SS_CENTERIMAGE, .look = Look::Banner};
inline constexpr Kind kSeparator{.className = L"Button", .style = BS_GROUPBOX | WS_DISABLED | WS_CLIPSIBLINGS,
                                 .look = Look::Separator};

// The icon an SS_ICON control shows, made at its size for the form's DPI.
struct Picture {
    int icon = 0;  // resource; 0 for none
    int twips = 0;
};

struct Control {
    int id;
    Kind kind;
    const char* text = "";                         // UTF-8
    int left = 0, top = 0, width = 0, height = 0;  // twips, from the client area's top-left corner
    DWORD style = 0;                               // added to the kind's: a tab stop, a group's start, disabled
    Picture picture{};
};

struct FormLayout {
    const wchar_t* className;
    const char* title;  // UTF-8
    DWORD style = 0, exStyle = 0;
    int clientWidth = 0, clientHeight = 0;  // twips
    int icon = 0;  // the title bar's icon resource
    // In tab order, which is also the z-order: a control lies above those
    // after it, and a screen reader names a text box or list after the label
    // just before it.
    std::span<const Control> controls;
    int closeButton = 0;  // modal: the button that closes it, as Escape and the close box do
    RECT banner{};        // twips: a banner the form paints across its top, the controls in it on its colour
};

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND hwnd() const { return hwnd_; }
    UINT Dpi() const { return dpi_; }
    const FormLayout& Layout() const { return layout_; }
    bool Loaded() const { return hwnd() != nullptr; }

    // Creates the window, hidden, with its controls at the DPI of the
    // monitor it opens on, then runs the form's own load; once. Throws when
    // the window cannot be made.
    void Load(HWND opener = nullptr);
    // Loads the form when needed and shows it modelessly.
    void Show();
    // Loads the form when needed and shows it modally, centred over
    // `opener`; returns once it has closed. Unloaded meanwhile, the form is
    // deleted as this returns. Already modal, it stays as it is.
    void ShowModal(HWND opener);

protected:
    explicit Form(const FormLayout& layout) : layout_(layout) {}

    // What the form does once its window and controls exist, before it is shown.
    virtual void OnLoad() {}
    // A click or other notification of one of the table's controls.
    virtual void OnCommand(int /*id*/, int /*code*/) {}
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // A control's context menu was asked for, at a point on the screen, or
    // at -1 from the keyboard; false to leave it to the system.
    virtual bool OnContextMenu(HWND /*control*/, LPARAM /*at*/) { return false; }
    // After the controls have been placed for a new DPI.
    virtual void OnDpi() {}
    // A tool tip (ui/tooltip.h) of the form, its text kept at the form's DPI;
    // null when it could not be made.
    HWND MakeToolTip();
    virtual void Paint(HDC) {}
    // The one way a form closes: its window goes, and its global reference
    // lets go of it once the handler that called this has returned.
    void Unload();
    // A control of the table; null for an id it does not hold.
    HWND Item(int id) const;
    int Px(int twips) const;

private:
    template <typename F>
    friend class FormSlot;

    class InUse;
    // The fonts the controls' looks ask for, made for the form's DPI.
    struct Fonts {
        UniqueFont dialog, title, link, tip;  // tip: once the form has been at another DPI than the system's
        UniqueFont& For(Look look) { return look == Look::Title ? title : look == Look::Link ? link : dialog; }
    };

    static LRESULT CALLBACK Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Detach();
    // Controls, fonts, icons and the client size for the DPI; with Windows'
    // suggestion, the window's new place and size.
    void ApplyDpi(UINT dpi, const RECT* suggested = nullptr);
    // The table's row of one of its controls; null for another window.
    const Control* ControlOf(HWND control) const;

    const FormLayout& layout_;
    HWND hwnd_ = nullptr;
    // The controls' handles in table order, kept from their creation:
    // GetDlgItem asks the window server under Wine.
    std::vector<HWND> items_;
    UINT dpi_ = 96;
    Fonts fonts_;
    std::vector<HWND> tips_;  // owned by the window, they go with it
    UniqueIcon icon_, smallIcon_;
    std::vector<UniqueIcon> pictures_;
    HWND focus_ = nullptr;  // the control that had the focus when the window was last active
    std::optional<ModalFrame> modal_;
    std::unique_ptr<Form>* slot_ = nullptr;
    int inUse_ = 0;          // handlers of this form on the stack, and ShowModal
    bool unloaded_ = false;  // the window has gone: the slot lets go once nothing is in use
};

// How many form windows exist; the program ends when none is left.
int LiveWindowCount();

// A window's one global reference: the form is made on first use, and the
// reference is emptied, deleting the form, once its window has unloaded.
template <typename F>
class FormSlot {
public:
    F& operator*() {
        if (!form_) {
            form_ = std::make_unique<F>();
            form_->slot_ = &form_;
        }
        return static_cast<F&>(*form_);
    }
    F* operator->() { return &**this; }
    F* get() const { return static_cast<F*>(form_.get()); }
    explicit operator bool() const { return form_ != nullptr; }
    void reset() { form_.reset(); }

private:
    std::unique_ptr<Form> form_;
};

}  // namespace sarvell::ui
