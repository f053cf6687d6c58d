#include "ui/form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "ui/font.h"
#include "ui/link.h"
#include "ui/separator.h"
#include "ui/text.h"
#include "ui/tooltip.h"

namespace sarvell::ui {

namespace {

int liveWindows = 0;

// Layouts are in twips (1/1440 inch), so that a table gives the same
// physical size at 100 % and at 150 % scaling.
int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), 1440); }

UINT WindowDpi(HWND hwnd) {
    const UINT dpi = GetDpiForWindow(hwnd);
    return dpi != 0 ? dpi : GetDpiForSystem();
}

SIZE OuterSize(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, dpi);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// Sizes a window so that its client area has the given size: from the frame
// metrics at the DPI, then corrected by what the window really got, since a
// window manager's frame may differ from the metrics.
void SetClientSize(HWND hwnd, int width, int height, UINT dpi) {
    constexpr UINT kFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    RECT client{}, outer{};
    GetClientRect(hwnd, &client);
    if (client.right == width && client.bottom == height) return;
    const SIZE size = OuterSize(width, height, static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)),
                                static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)), dpi);
    SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, kFlags);
    GetClientRect(hwnd, &client);
    GetWindowRect(hwnd, &outer);
    const int dx = width - client.right, dy = height - client.bottom;
    if (dx != 0 || dy != 0) {
        SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy, kFlags);
    }
}

// An icon of the program's resources, made at the pixel size the DPI asks for.
UniqueIcon LoadIconAt(int id, int size) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// Centred over another window, kept inside the work area of its monitor.
void CentreOver(HWND window, HWND over) {
    RECT outer{}, target{};
    GetWindowRect(window, &outer);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(over != nullptr ? over : window, MONITOR_DEFAULTTONEAREST), &info);
    if (over == nullptr || !GetWindowRect(over, &target)) target = info.rcWork;
    const RECT& work = info.rcWork;
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const int x = std::clamp<int>(target.left + (target.right - target.left - w) / 2, work.left,
                                  std::max<int>(work.left, work.right - w));
    const int y = std::clamp<int>(target.top + (target.bottom - target.top - h) / 2, work.top,
                                  std::max<int>(work.top, work.bottom - h));
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// Held while a handler of the form, or its modal loop, is on the stack: a
// form unloaded meanwhile is deleted as the outermost of them ends.
class Form::InUse {
public:
    explicit InUse(Form& form) : form_(form) { ++form_.inUse_; }
    InUse(const InUse&) = delete;
    InUse& operator=(const InUse&) = delete;
    ~InUse() {
        if (--form_.inUse_ == 0 && form_.unloaded_ && form_.slot_ != nullptr) form_.slot_->reset();
    }

private:
    Form& form_;
};

Form::~Form() {
    // Deleted with its window up (at exit, or by a test): the window goes
    // too, its last messages handled by this base alone.
    slot_ = nullptr;
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void Form::Load(HWND opener) {
    if (Loaded()) return;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, layout_.className, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &Form::Thunk;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = layout_.className;
        // The title bar's icons at the system's DPI go with the class, which
        // Windows reads as it makes the window: set on the window afterwards,
        // under Wine they cost a second fetch each. They live as long as the class.
        if (layout_.icon != 0) {
            wc.hIcon = LoadIconAt(layout_.icon, GetSystemMetrics(SM_CXICON)).release();
            wc.hIconSm = LoadIconAt(layout_.icon, GetSystemMetrics(SM_CXSMICON)).release();
        }
        RegisterClassExW(&wc);
    }
    // Sized for the DPI the window most likely gets (its opener's, or the
    // primary monitor's), so that nothing has to change once it exists.
    const UINT guess = opener != nullptr ? WindowDpi(opener) : GetDpiForSystem();
    const SIZE size = OuterSize(TwipsToPixels(layout_.clientWidth, guess), TwipsToPixels(layout_.clientHeight, guess),
                                layout_.style, layout_.exStyle, guess);
    if (CreateWindowExW(layout_.exStyle, layout_.className, text::Widen(layout_.title).c_str(), layout_.style, CW_USEDEFAULT,
                        CW_USEDEFAULT, size.cx, size.cy, opener, nullptr, instance, this) == nullptr) {
        throw std::runtime_error("A window could not be created.");
    }
    // The controls are made in place at the window's DPI: under Wine each
    // move afterwards is a trip to the window server.
    dpi_ = WindowDpi(hwnd());
    items_.clear();
    for (const Control& c : layout_.controls) {
        HWND item = CreateWindowExW(c.kind.exStyle, c.kind.className, text::Widen(c.text).c_str(),
                                    c.kind.style | c.style | WS_CHILD | WS_VISIBLE, Px(c.left), Px(c.top), Px(c.width),
                                    Px(c.height), hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance,
                                    nullptr);
        if (item == nullptr) throw std::runtime_error("A control could not be created.");  // a window without it would not work
        if (c.kind.look == Look::Separator) PaintAsSeparator(item);
        if (c.kind.look == Look::Link) MakeKeyboardLink(item);
        items_.push_back(item);
    }
    ApplyDpi(dpi_);
    OnLoad();
}

void Form::Show() {
    Load();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

void Form::ShowModal(HWND opener) {
    if (modal_) return;
    const InUse inUse(*this);
    if (!Loaded()) {
        Load(opener);
        CentreOver(hwnd(), opener);
    }
    modal_.emplace(hwnd());
    modal_->Run();
    modal_.reset();
}

HWND Form::Item(int id) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (layout_.controls[i].id == id) return items_[i];
    }
    return nullptr;
}

int Form::Px(int twips) const { return TwipsToPixels(twips, dpi_); }

HWND Form::MakeToolTip() {
    HWND tip = ui::MakeToolTip(hwnd());
    if (tip == nullptr) return nullptr;
    tips_.push_back(tip);
    if (fonts_.tip) SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.tip.get()), FALSE);
    return tip;
}

void Form::ApplyDpi(UINT dpi, const RECT* suggested) {
    const bool move = dpi != dpi_;
    dpi_ = dpi;
    Fonts fonts;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Control& c = layout_.controls[i];
        UniqueFont& font = fonts.For(c.kind.look);
        if (!font) font = CreateDialogFont(dpi, c.kind.look == Look::Title ? FW_BOLD : FW_NORMAL, c.kind.look == Look::Link);
        HWND control = items_[i];
        if (move) SetWindowPos(control, nullptr, Px(c.left), Px(c.top), Px(c.width), Px(c.height), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    }
    // A tool tip's text comes in the system's tip font at the system's DPI:
    // at another, in that font made for it, from then on.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if ((fonts_.tip || dpi != GetDpiForSystem()) && SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        fonts.tip = UniqueFont(CreateFontIndirectW(&metrics.lfStatusFont));
        for (HWND tip : tips_) SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.tip.get()), FALSE);
    }
    fonts_ = std::move(fonts);  // the old fonts go once no control uses them
    // A window at another DPI than the system's gets icons of its own; each
    // new icon is handed over before the one it replaces is destroyed.
    if (layout_.icon != 0 && (icon_ || dpi != GetDpiForSystem())) {
        UniqueIcon icon = LoadIconAt(layout_.icon, GetSystemMetricsForDpi(SM_CXICON, dpi));
        UniqueIcon smallIcon = LoadIconAt(layout_.icon, GetSystemMetricsForDpi(SM_CXSMICON, dpi));
        SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.get()));
        SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
        icon_ = std::move(icon);
        smallIcon_ = std::move(smallIcon);
    }
    std::vector<UniqueIcon> pictures;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Picture& p = layout_.controls[i].picture;
        if (p.icon == 0) continue;
        pictures.push_back(LoadIconAt(p.icon, Px(p.twips)));
        SendMessageW(items_[i], STM_SETICON, reinterpret_cast<WPARAM>(pictures.back().get()), 0);
    }
    pictures_ = std::move(pictures);
    // The rectangle Windows suggests for the new monitor, in one step: moved
    // and sized apart, a window dragged between monitors can jump to and fro.
    if (suggested != nullptr) {
        SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetClientSize(hwnd(), Px(layout_.clientWidth), Px(layout_.clientHeight), dpi);  // only where that size is not the table's
    OnDpi();
}

const Control* Form::ControlOf(HWND control) const {
    const auto it = std::find(items_.begin(), items_.end(), control);
    return it != items_.end() ? &layout_.controls[static_cast<std::size_t>(it - items_.begin())] : nullptr;
}

void Form::Unload() {
    if (modal_) modal_->End();
    DestroyWindow(hwnd());
}

LRESULT CALLBACK Form::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        self->unloaded_ = false;
        ++liveWindows;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const InUse inUse(*self);
    const LRESULT result = Guarded([&] { return self->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) self->Detach();
    return result;
}

// The window has gone: the one place where the count of windows falls.
void Form::Detach() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
    unloaded_ = true;
    // The program ends with its last window, even while the thread is
    // inside GetMessage handling a message sent by another process.
    if (--liveWindows == 0) PostQuitMessage(0);
}

int LiveWindowCount() { return liveWindows; }

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (layout_.closeButton != 0 && (id == IDCANCEL || (id == layout_.closeButton && HIWORD(wParam) == BN_CLICKED))) {
                Unload();
            } else if (lParam != 0 && reinterpret_cast<HWND>(lParam) == Item(id)) {
                // Any process can send WM_COMMAND: only a control of this form's own counts.
                OnCommand(id, HIWORD(wParam));
            }
            return 0;
        }
        case WM_ACTIVATE:
            // As in a dialog: the focus leaves with the window and comes back
            // to the control that had it, at first the first tab stop.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd(), focus)) focus_ = focus;
            } else {
                SetFocus(focus_ != nullptr && IsChild(hwnd(), focus_) ? focus_ : GetNextDlgTabItem(hwnd(), nullptr, FALSE));
            }
            return 0;
        case WM_CTLCOLORSTATIC: {
            const Control* c = ControlOf(reinterpret_cast<HWND>(lParam));
            if (HBRUSH brush = c ? ColourStatic(reinterpret_cast<HDC>(wParam), c->kind.look, c->top < layout_.banner.bottom) : nullptr) {
                return reinterpret_cast<LRESULT>(brush);
            }
            break;
        }
        case WM_SYSCOLORCHANGE:
            // A scheme changed while the window is open: the common controls
            // hear of it from their window, and everything is painted anew.
            for (HWND item : items_) SendMessageW(item, message, wParam, lParam);
            [[fallthrough]];
        case WM_SETTINGCHANGE:
        case WM_THEMECHANGED:
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case DM_GETDEFID: {
            // Asked by IsDialogMessage at Enter: the focused push button is
            // pressed, as in a dialog; elsewhere Enter does nothing.
            HWND focus = GetFocus();
            const bool button = std::find(items_.begin(), items_.end(), focus) != items_.end() &&
                                (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
            return button ? MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID) : 0;
        }
        case WM_SETCURSOR:
            if (const Control* c = ControlOf(reinterpret_cast<HWND>(wParam)); c && c->kind.look == Look::Link) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_DPICHANGED:
            ApplyDpi(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            // Painted anew: at load the first showing paints it anyway.
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_CONTEXTMENU:
            if (OnContextMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            if (HDC dc = BeginPaint(hwnd(), &ps)) {
                const RECT& b = layout_.banner;
                const RECT banner{Px(b.left), Px(b.top), Px(b.right), Px(b.bottom)};
                if (!IsRectEmpty(&banner)) {
                    SetBkColor(dc, BannerColour());
                    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &banner, nullptr, 0, nullptr);
                }
                Paint(dc);
            }
            EndPaint(hwnd(), &ps);
            return 0;
        }
        case WM_CLOSE:
            Unload();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd(), message, wParam, lParam);
}

}  // namespace sarvell::ui
