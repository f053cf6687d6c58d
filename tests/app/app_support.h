// Helpers for the tests that drive Sarvell's windows: a registered Outlook
// of the tests' own, the messages a user's clicks and keys produce, steps
// run from inside a modal window's loop, and a form checked against its
// table. They work on windows of this process and of another one.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "infowin/info_ids.h"
#include "policy/outlook_version.h"
#include "registry/host.h"
#include "tests/support/backends.h"
#include "ui/form.h"
#include "ui/shell.h"
#include "ui/text.h"

namespace sarvell::test {

// Registers Outlook version `major` (CurVer "Outlook.Application.<major>")
// with an empty security key, no policies and no new Outlook; takes its keys
// away at the end.
class OutlookInstall {
public:
    explicit OutlookInstall(const std::string& major = "16") : major_(major) {
        SetRaw(P(), registry::HKeyClassesRoot, "Outlook.Application\\CurVer", "", registry::kRegSz, Sz("Outlook.Application." + major));
        Clear();
    }
    ~OutlookInstall() { Clear(); }
    std::string KeyPath() const { return policy::SecurityKeyPathFor(major_ + ".0"); }
    // A list value's text as stored, or nothing when absent.
    std::optional<std::string> List(const std::string& name) const {
        const auto raw = GetRaw(P(), registry::HKeyCurrentUser, KeyPath(), name);
        if (!raw) return std::nullopt;
        EXPECT_EQ(raw->type, registry::kRegSz) << name;
        return std::string(raw->data.begin(), raw->data.end() - 1);
    }

private:
    static registry::Platform& P() { return registry::CurrentPlatform(); }
    void Clear() const {
        DeleteTree(P(), registry::HKeyCurrentUser, "Software\\Microsoft\\Office\\" + major_ + ".0");
        DeleteTree(P(), registry::HKeyCurrentUser, "Software\\Policies\\Microsoft\\Office\\" + major_ + ".0");
    }
    std::string major_;
};

// A program started as a user starts it; ended when the test ends, or by End.
class Process {
public:
    explicit Process(std::filesystem::path exe, DWORD flags = 0) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring commandLine = L"\"" + exe.make_preferred().wstring() + L"\"";
        EXPECT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &info_))
            << "could not start " << exe.string() << ": error " << GetLastError();
    }
    ~Process() { End(); }
    void End() {
        if (info_.hProcess == nullptr) return;
        if (!WaitExit(0)) TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
        CloseHandle(info_.hThread);
        CloseHandle(std::exchange(info_.hProcess, nullptr));
    }
    // The exit code; nothing while it still runs.
    std::optional<DWORD> WaitExit(DWORD ms = 15000) const {
        DWORD code = 0;
        if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0 || !GetExitCodeProcess(info_.hProcess, &code)) return {};
        return code;
    }
    // Its visible main window, waited for.
    HWND MainWindow() const {
        for (const ULONGLONG end = GetTickCount64() + 15000; GetTickCount64() < end && !WaitExit(10);) {
            DWORD pid = 0;
            HWND main = FindWindowW(app::kMainWindowClass, nullptr);
            if (main && IsWindowVisible(main) && GetWindowThreadProcessId(main, &pid) && pid == info_.dwProcessId) return main;
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION info_{};
};

// The tests' stand-in program (support/stand_in.cpp), beside this one.
inline std::filesystem::path StandIn() {
    return std::filesystem::path(text::Widen(registry::host::ExecutablePath())).parent_path() / L"stand_in.exe";
}

// WM_GETTEXT, so that it reads other processes' windows too.
inline std::string Text(HWND window) {
    std::wstring buffer(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))));
    return text::Narrow(buffer);
}
inline std::string Text(HWND parent, int id) { return Text(GetDlgItem(parent, id)); }

inline std::vector<std::string> Rows(HWND main) {
    HWND list = GetDlgItem(main, app::kLbExtensions);
    std::vector<std::string> rows;
    for (WPARAM i = 0; i < static_cast<WPARAM>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
        std::wstring buffer(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        buffer.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()))));
        rows.push_back(text::Narrow(buffer));
    }
    return rows;
}

inline void Pump() {
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// As BM_CLICK makes it.
inline void Click(HWND parent, int id) {
    SendMessageW(GetDlgItem(parent, id), BM_CLICK, 0, 0);
    Pump();
}

// Keys pressed in a window, as its message loop hands them over; answers
// the control with the focus then.
inline HWND Press(HWND window, int focus, std::initializer_list<WPARAM> keys) {
    SetFocus(GetDlgItem(window, focus));
    for (WPARAM key : keys) {
        MSG down{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        if (!IsDialogMessageW(window, &down)) DispatchMessageW(&down);
    }
    return IsWindow(window) ? GetFocus() : nullptr;
}

// Keystroke by keystroke.
inline void Type(HWND parent, int id, const std::string& text) {
    for (wchar_t c : text::Widen(text)) SendMessageW(GetDlgItem(parent, id), WM_CHAR, c, 1);
}

// How many pixels of the control's client area, as it paints itself, are
// darker than mid-grey: the rows a person sees there.
inline int Ink(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    HDC dc = GetDC(control), copy = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, r.right, r.bottom);
    const HGDIOBJ old = SelectObject(copy, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(copy), PRF_CLIENT | PRF_ERASEBKGND);
    SelectObject(copy, old);  // GetDIBits reads a bitmap no DC holds
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), r.right, -r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(r.right * r.bottom));
    GetDIBits(copy, bitmap, 0, static_cast<UINT>(r.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(copy);
    DeleteObject(bitmap);
    ReleaseDC(control, dc);
    return static_cast<int>(std::count_if(pixels.begin(), pixels.end(), [](RGBQUAD q) { return q.rgbRed + q.rgbGreen + q.rgbBlue < 384; }));
}

// The text a tool tip of `owner` shows over `control`; empty for none.
inline std::string ToolTipText(HWND owner, HWND control) {
    HWND tip = nullptr;
    while ((tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) && GetWindow(tip, GW_OWNER) != owner) {}
    std::wstring text(200, L'\0');
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = text.data();
    if (tip) SendMessageW(tip, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
    return text::Narrow(text.c_str());
}

// In the window's client coordinates.
inline RECT RectIn(HWND window, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The window whose moves CountMoves counts, and how many it saw.
inline std::pair<HWND, int> moves;
inline LRESULT CALLBACK CountMoves(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == moves.first && call->message == WM_WINDOWPOSCHANGED) ++moves.second;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Checks a window against its own table, which the digest pins (a failure
// prints the table, one line a control, each number named): its title and
// styles; and at 96, then 144, then 96 dpi, as Windows tells it, the client
// size, the z-order, the title bar icon's size, and each control's place,
// style (disabled exactly where the table says), text and font (8.25 pt;
// bold for a title, underlined and blue for a link; a picture on the banner
// on white), every one-line static text shown whole.
inline void CheckForm(const ui::Form& form, std::uint64_t digest, std::vector<std::pair<POINT, COLORREF>> painted = {}) {
    const ui::FormLayout& f = form.Layout();
    const auto pictured = std::find_if(f.controls.begin(), f.controls.end(), [](auto& c) { return c.picture.icon != 0; });
    std::ostringstream table;
    table << text::Narrow(f.className) << " \"" << f.title << "\" style " << f.style << " ex " << f.exStyle << " client "
          << f.clientWidth << "x" << f.clientHeight << " icon " << f.icon << " picture " << pictured->id << " of "
          << pictured->picture.icon << " at " << pictured->picture.twips << " close " << f.closeButton;
    for (const ui::Control& c : f.controls) {
        table << "\n" << c.id << " " << text::Narrow(c.kind.className) << " \"" << c.text << "\" style " << (c.kind.style | c.style)
              << " ex " << c.kind.exStyle << " at " << c.left << "," << c.top << " size " << c.width << "x" << c.height << " look "
              << int(c.kind.look);
    }
    EXPECT_TRUE(Pins(table.str(), digest));
    HWND window = form.hwnd();
    EXPECT_EQ((std::tuple{Text(window), GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | f.style),
                          GetWindowLongW(window, GWL_EXSTYLE) & f.exStyle}),
              (std::tuple{std::string(f.title), LONG(f.style), LONG(f.exStyle)}))
        << "title, style and extended style";
    for (UINT dpi : {96u, 144u, 96u}) {
        const auto px = [dpi](int twips) { return static_cast<LONG>(std::lround(twips * static_cast<int>(dpi) / 1440.0)); };
        RECT r{}, c{};
        GetWindowRect(window, &r);
        GetClientRect(window, &c);
        // Windows suggests a place and the size for the new DPI: taken in one move.
        const RECT s{r.left + 4, r.top + 4, r.left + 4 + px(f.clientWidth) + r.right - r.left - c.right,
                     r.top + 4 + px(f.clientHeight) + r.bottom - r.top - c.bottom};
        const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, &CountMoves, nullptr, GetCurrentThreadId());
        moves = {window, 0};
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&s));
        UnhookWindowsHookEx(hook);
        GetWindowRect(window, &r);
        EXPECT_EQ((std::tuple{r.left, r.top, r.right, r.bottom, moves.second}), (std::tuple{s.left, s.top, s.right, s.bottom, 1}))
            << "the window's rectangle, and the moves it took, at " << dpi << " dpi";
        GetClientRect(window, &r);
        EXPECT_EQ((std::pair{r.right, r.bottom}), (std::pair{px(f.clientWidth), px(f.clientHeight)})) << "client size at " << dpi;
        std::vector<int> order, expected;
        for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) order.push_back(GetDlgCtrlID(c));
        for (const ui::Control& c : f.controls) {
            expected.push_back(c.id);
            HWND control = GetDlgItem(window, c.id);
            r = RectIn(window, control);
            const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
            LOGFONTW lf{};
            GetObjectW(font, sizeof lf, &lf);
            HDC dc = GetDC(control);
            const LRESULT brush = SendMessageW(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
            const LONG style = LONG((c.kind.style | c.style | WS_VISIBLE) & ~WS_VSCROLL);  // a list shows its scroll bar only when it needs one
            const bool isStatic = std::wstring_view(c.kind.className) == L"Static", icon = isStatic && (style & SS_TYPEMASK) == SS_ICON;
            // In a contrast scheme every colour is the system's; a text always stands out from what it stands on.
            const bool hc = ui::HighContrast(), onBanner = c.top < f.banner.bottom;
            const COLORREF under = onBanner && !hc ? RGB(255, 255, 255) : GetSysColor(onBanner ? COLOR_WINDOW : COLOR_BTNFACE);
            const auto banner = reinterpret_cast<LRESULT>(hc ? GetSysColorBrush(COLOR_WINDOW) : GetStockObject(WHITE_BRUSH));
            const bool blueReads = ui::Contrast(RGB(0, 0, 255), GetSysColor(COLOR_BTNFACE)) >= 4.5;  // else the face's text colour
            EXPECT_EQ((std::tuple{r.left, r.top, r.right - r.left, r.bottom - r.top, GetWindowLongW(control, GWL_STYLE) & (style | WS_DISABLED),
                                  !*c.text || Text(control) == c.text, lf.lfHeight, lf.lfWeight >= FW_BOLD, lf.lfUnderline != 0,
                                  GetTextColor(dc) == (hc ? GetSysColor(COLOR_HOTLIGHT) : RGB(0, 0, 255)), brush == banner,
                                  isStatic && !icon && c.kind.look != ui::Look::Plain && ui::Contrast(GetTextColor(dc), under) < 4.5}),
                      (std::tuple{px(c.left), px(c.top), px(c.width), px(c.height), style, true, icon ? 0 : dpi == 96 ? -11 : -17,
                                  c.kind.look == ui::Look::Title, c.kind.look == ui::Look::Link, c.kind.look == ui::Look::Link && (hc || blueReads),
                                  c.kind.look == ui::Look::Banner || (hc && c.kind.look == ui::Look::Well), false}))
                << "left, top, width, height, style, text, font height, bold, underline, link colour, on the banner's colour and "
                   "unreadable, of control " << c.id << " at " << dpi << " dpi";
            const std::wstring shown = text::Widen(Text(control));
            RECT need{};
            if (isStatic && !icon && !shown.empty() && (style & SS_TYPEMASK) != SS_LEFT) {  // a one-line text
                const HGDIOBJ old = SelectObject(dc, font);
                DrawTextW(dc, shown.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
                SelectObject(dc, old);
            }
            ReleaseDC(control, dc);
            GetClientRect(control, &r);
            EXPECT_TRUE(need.right <= r.right && need.bottom <= r.bottom)
                << Text(control) << " needs " << need.right << " x " << need.bottom << " at " << dpi << " dpi";
        }
        EXPECT_EQ(order, expected) << "z-order at " << dpi << " dpi";
        // Its tool tips' text in the system's tip font for the DPI.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) != nullptr;) {
            LOGFONTW lf{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0)), sizeof lf, &lf);
            EXPECT_TRUE(GetWindow(tip, GW_OWNER) != window || lf.lfHeight == metrics.lfStatusFont.lfHeight) << lf.lfHeight << " tip font at " << dpi;
        }
        // The title bar's icon, the window's own or its class's, made at the DPI's size.
        auto small = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        ICONINFO icon{};
        BITMAP bitmap{};
        if (!small) small = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
        if (small && GetIconInfo(small, &icon)) GetObjectW(icon.hbmColor, sizeof bitmap, &bitmap);
        DeleteObject(icon.hbmColor);
        DeleteObject(icon.hbmMask);
        EXPECT_EQ(bitmap.bmWidth, f.icon ? GetSystemMetricsForDpi(SM_CXSMICON, dpi) : 0) << "title bar icon at " << dpi << " dpi";
    }
    // What the window paints itself, as the screen shows it (which may lag
    // behind): the banner at its corner, and the client pixels asked for.
    if (f.banner.bottom != 0) painted.push_back({{1, 1}, ui::HighContrast() ? GetSysColor(COLOR_WINDOW) : RGB(255, 255, 255)});
    HDC screen = GetDC(nullptr);
    for (auto [at, wanted] : painted) {
        ClientToScreen(window, &at);
        COLORREF shown = CLR_INVALID;
        for (int i = 0; i < 40 && (shown = GetPixel(screen, at.x, at.y)) != wanted; ++i) Sleep(50), Pump();
        EXPECT_EQ(shown, wanted) << "the colour painted at " << at.x << "," << at.y << " on the screen";
    }
    ReleaseDC(nullptr, screen);
}

// Runs a step from inside whatever modal loop runs `ms` from now. A step
// that fails closes the About and donation windows, so that the test ends
// at once instead of waiting in a modal loop for ctest's timeout.
inline std::deque<std::function<void()>> later_steps;

inline void CALLBACK RunLaterStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const std::function<void()> next = std::move(later_steps.front());
    later_steps.pop_front();
    next();
    if (!::testing::Test::HasFailure()) return;
    later_steps.clear();
    for (const wchar_t* cls : {infowin::kDonationClass, infowin::kAboutClass}) {
        if (HWND w = FindWindowW(cls, nullptr)) PostMessageW(w, WM_CLOSE, 0, 0);
    }
}

inline void Later(std::function<void()> step, UINT ms = 20) {
    later_steps.push_back(std::move(step));
    SetTimer(nullptr, 0, ms, RunLaterStep);
}

// The main window made and shown in this process over an Outlook of the
// tests' own, with the links it hands to the shell caught in handed_.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        app::frmMain->Show();
        main_ = app::frmMain->hwnd();
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        app::frmMain.reset();
        Pump();
    }
    HWND Item(int id) const { return GetDlgItem(main_, id); }

    OutlookInstall outlook_;
    HWND main_ = nullptr;
    std::vector<std::string> handed_;
    ui::ShellScope shell_{[this](HWND owner, const std::string& target) {
        EXPECT_EQ(owner, GetActiveWindow()) << "the window whose link it is owns what the shell shows";
        handed_.push_back(target);
    }};
};

}  // namespace sarvell::test
