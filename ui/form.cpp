#include "ui/form.h"

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

#include "ui/font.h"
#include "ui/separator.h"
#include "ui/text.h"

namespace sarvell::ui {

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
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

// While a modal window is up, every other window of the thread takes no
// input; these are the ones it disabled, and what to give back at its end.
struct ModalFrame {
    HWND window;
    HWND previousActive;
    HWND previousFocus;  // disabling its window takes the focus away: it is given back at the end
    std::vector<HWND> disabled;
};

std::vector<ModalFrame>& ModalFrames() {
    static std::vector<ModalFrame> frames;
    return frames;
}

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
    return Guarded([&] {
        auto* frame = reinterpret_cast<ModalFrame*>(param);
        if (hwnd != frame->window && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            frame->disabled.push_back(hwnd);
        }
        return TRUE;
    });
}

// Gives back what a modal window took; called just before it is destroyed,
// so that activation returns to the window beneath and not to another program.
void EndModal(HWND window) {
    auto& frames = ModalFrames();
    const auto it = std::find_if(frames.begin(), frames.end(), [&](const ModalFrame& f) { return f.window == window; });
    if (it == frames.end()) return;
    const ModalFrame frame = *it;
    frames.erase(it);
    for (HWND h : frame.disabled) {
        if (IsWindow(h)) EnableWindow(h, TRUE);
    }
    if (frame.previousActive != nullptr && IsWindow(frame.previousActive)) {
        SetActiveWindow(frame.previousActive);
        if (IsChild(frame.previousActive, frame.previousFocus)) SetFocus(frame.previousFocus);
    }
}

// Shows a window modally and runs its messages until it is destroyed.
void RunModal(HWND window) {
    ModalFrame frame{window, GetActiveWindow(), GetFocus(), {}};
    EnumThreadWindows(GetCurrentThreadId(), &DisableOthers, reinterpret_cast<LPARAM>(&frame));
    ModalFrames().push_back(std::move(frame));
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    MSG msg{};
    while (IsWindow(window)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT belongs to the loop beneath: hand it on.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    EndModal(window);
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

Form::~Form() {
    if (hwnd_ != nullptr) {
        // The window must not call back into a half-destroyed object.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        if (--liveWindows == 0) PostQuitMessage(0);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }
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
    if (!Loaded()) {
        Load(opener);
        CentreOver(hwnd(), opener);
    }
    RunModal(hwnd());
}

HWND Form::Item(int id) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (layout_.controls[i].id == id) return items_[i];
    }
    return nullptr;
}

int Form::Px(int twips) const { return TwipsToPixels(twips, dpi_); }

void Form::ApplyDpi(UINT dpi) {
    const bool move = dpi != dpi_;
    dpi_ = dpi;
    std::array<UniqueFont, 3> fonts;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Control& c = layout_.controls[i];
        const std::size_t face = c.kind.look == Look::Title ? 1 : c.kind.look == Look::Link ? 2 : 0;
        if (!fonts[face]) fonts[face] = CreateDialogFont(dpi, face == 1 ? FW_BOLD : FW_NORMAL, face == 2);
        HWND control = items_[i];
        if (move) SetWindowPos(control, nullptr, Px(c.left), Px(c.top), Px(c.width), Px(c.height), SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[face].get()), FALSE);
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
    if (layout_.picture != 0) {
        UniqueIcon picture = LoadIconAt(layout_.pictureIcon, Px(layout_.pictureTwips));
        SendMessageW(Item(layout_.picture), STM_SETICON, reinterpret_cast<WPARAM>(picture.get()), 0);
        picture_ = std::move(picture);
    }
    SetClientSize(hwnd(), Px(layout_.clientWidth), Px(layout_.clientHeight), dpi);
    OnDpi();
}

Look Form::LookOf(HWND control) const {
    const auto it = std::find(items_.begin(), items_.end(), control);
    return it != items_.end() ? layout_.controls[static_cast<std::size_t>(it - items_.begin())].kind.look : Look::Plain;
}

void Form::Unload() {
    EndModal(hwnd());
    DestroyWindow(hwnd());
}

LRESULT CALLBACK Form::Thunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ++liveWindows;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    const LRESULT result = Guarded([&] { return self->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        // The program ends with its last window, even while the thread is
        // inside GetMessage handling a message sent by another process.
        if (--liveWindows == 0) PostQuitMessage(0);
        if (self->slot_ != nullptr) self->slot_->reset();  // unloaded: the global reference lets go, deleting the form
    }
    return result;
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
            HDC dc = reinterpret_cast<HDC>(wParam);
            const Look look = LookOf(reinterpret_cast<HWND>(lParam));
            if (look == Look::Plain || look == Look::Separator) break;
            // A picture fills its own background: an icon's clear corners
            // must not show whatever the window held before it was painted.
            if (look == Look::Well || look == Look::Banner) {
                SetBkColor(dc, look == Look::Well ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255));
                return reinterpret_cast<LRESULT>(look == Look::Well ? GetSysColorBrush(COLOR_WINDOW) : GetStockObject(WHITE_BRUSH));
            }
            SetTextColor(dc, look == Look::Link ? kLinkBlue : GetSysColor(COLOR_BTNTEXT));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        case WM_SETCURSOR:
            if (LookOf(reinterpret_cast<HWND>(wParam)) == Look::Link) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_DPICHANGED: {
            ApplyDpi(LOWORD(wParam));
            // Painted anew: at load the first showing paints it anyway.
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            // Where Windows suggests on the new monitor; the size is the table's.
            if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
                SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return 0;
        }
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            if (HDC dc = BeginPaint(hwnd(), &ps)) Paint(dc);
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
