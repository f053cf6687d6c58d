#include "tests/app/app_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "app/frm_main.h"
#include "infowin/info_ids.h"
#include "policy/outlook_version.h"
#include "tests/support/backends.h"
#include "tests/support/digest.h"
#include "ui/text.h"

namespace sarvell::test {

using namespace registry;

namespace {
constexpr const char* kCurVerKey = "Outlook.Application\\CurVer";
}  // namespace

OutlookInstall::OutlookInstall(const std::string& major) : major_(major) {
    if (auto old = GetRaw(CurrentPlatform(), HKeyClassesRoot, kCurVerKey, "")) savedCurVer_ = old->data;
    SetRaw(CurrentPlatform(), HKeyClassesRoot, kCurVerKey, "", kRegSz, Sz("Outlook.Application." + major));
    DeleteTree(CurrentPlatform(), HKeyCurrentUser, KeyPath());
}

OutlookInstall::~OutlookInstall() {
    DeleteTree(CurrentPlatform(), HKeyCurrentUser, "Software\\Microsoft\\Office\\" + major_ + ".0");
    DeleteTree(CurrentPlatform(), HKeyClassesRoot, "Outlook.Application");
    if (savedCurVer_) SetRaw(CurrentPlatform(), HKeyClassesRoot, kCurVerKey, "", kRegSz, *savedCurVer_);
}

std::string OutlookInstall::KeyPath() const { return policy::SecurityKeyPathFor(major_ + ".0"); }

std::optional<std::string> OutlookInstall::List(const std::string& name) const {
    const auto raw = GetRaw(CurrentPlatform(), HKeyCurrentUser, KeyPath(), name);
    if (!raw) return std::nullopt;
    EXPECT_EQ(raw->type, kRegSz) << name;
    return std::string(raw->data.begin(), raw->data.end() - 1);
}

std::string Text(HWND window) {
    std::wstring buffer(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    buffer.resize(static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()))));
    return ui::Narrow(buffer);
}

std::string Text(HWND parent, int id) { return Text(GetDlgItem(parent, id)); }

std::vector<std::string> Rows(HWND main) {
    HWND list = GetDlgItem(main, app::kLbExtensions);
    std::vector<std::string> rows;
    for (WPARAM i = 0; i < static_cast<WPARAM>(SendMessageW(list, LB_GETCOUNT, 0, 0)); ++i) {
        std::wstring buffer(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        buffer.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()))));
        rows.push_back(ui::Narrow(buffer));
    }
    return rows;
}

void SelectRow(HWND main, const std::string& row) {
    const auto rows = Rows(main);
    const auto at = std::find(rows.begin(), rows.end(), row);
    if (at == rows.end()) ADD_FAILURE() << "no row reads \"" << row << "\"";
    SendMessageW(GetDlgItem(main, app::kLbExtensions), LB_SETCURSEL, static_cast<WPARAM>(at - rows.begin()), 0);
}

void Click(HWND parent, int id) {
    SendMessageW(GetDlgItem(parent, id), BM_CLICK, 0, 0);
    Pump();
}

void Type(HWND parent, int id, const std::string& text) {
    for (wchar_t c : ui::Widen(text)) SendMessageW(GetDlgItem(parent, id), WM_CHAR, c, 1);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

RECT RectIn(HWND window, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void CheckForm(const ui::Form& form, std::uint64_t digest) {
    const ui::FormLayout& f = form.Layout();
    std::string table = ui::Narrow(f.className) + "|" + ui::Narrow(f.title);
    for (long n : {long(f.style), long(f.exStyle), long(f.clientWidth), long(f.clientHeight), long(f.icon), long(f.picture),
                   long(f.pictureIcon), long(f.pictureTwips), long(f.okId)}) {
        table += "|" + std::to_string(n);
    }
    for (const ui::Control& c : f.controls) {
        table += "\n" + ui::Narrow(c.className) + "|" + ui::Narrow(c.text);
        for (long n : {long(c.id), long(c.style), long(c.exStyle), long(c.left), long(c.top), long(c.width), long(c.height),
                       long(c.look)}) {
            table += "|" + std::to_string(n);
        }
    }
    EXPECT_EQ(Digest(table), digest) << std::hex << "0x" << Digest(table);
    HWND window = form.hwnd();
    EXPECT_EQ(Text(window), ui::Narrow(f.title));
    EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | f.style),
              static_cast<LONG>(f.style));
    EXPECT_EQ(GetWindowLongW(window, GWL_EXSTYLE) & f.exStyle, static_cast<LONG>(f.exStyle));
    for (const ui::Control& c : f.controls) {
        HWND control = GetDlgItem(window, c.id);
        wchar_t cls[16] = {};
        GetClassNameW(control, cls, 16);
        EXPECT_STREQ(cls, c.className);
        const DWORD style = c.style & ~WS_VSCROLL;  // a list shows its scroll bar only when it needs one
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(control, GWL_STYLE)) & style, style) << c.id;
        EXPECT_TRUE(!*c.text || Text(control) == ui::Narrow(c.text)) << Text(control);
    }
    for (UINT dpi : {96u, 144u, 96u}) {
        RECT r{};
        GetWindowRect(window, &r);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
        const auto px = [dpi](int twips) { return static_cast<LONG>(std::lround(twips * static_cast<int>(dpi) / 1440.0)); };
        GetClientRect(window, &r);
        EXPECT_EQ((std::vector<LONG>{r.right, r.bottom}), (std::vector<LONG>{px(f.clientWidth), px(f.clientHeight)})) << dpi;
        std::vector<int> order, expected;
        for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) order.push_back(GetDlgCtrlID(c));
        for (const ui::Control& c : f.controls) {
            expected.push_back(c.id);
            HWND control = GetDlgItem(window, c.id);
            r = RectIn(window, control);
            EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                      (std::vector<LONG>{px(c.left), px(c.top), px(c.width), px(c.height)}))
                << "control " << c.id << " at " << dpi << " dpi";
            // A one-line static text shows whole in the font it has at this DPI.
            const std::wstring text = ui::Widen(Text(control));
            const LONG type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
            if (std::wstring_view(c.className) != L"Static" || text.empty() || type == SS_ICON || type == SS_LEFT) continue;
            HDC dc = GetDC(control);
            const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
            GetClientRect(control, &r);
            RECT need{};
            DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
            SelectObject(dc, old);
            ReleaseDC(control, dc);
            EXPECT_TRUE(need.right <= r.right && need.bottom <= r.bottom)
                << Text(control) << " needs " << need.right << " x " << need.bottom << " at " << dpi << " dpi";
        }
        EXPECT_EQ(order, expected) << "z-order at " << dpi << " dpi";
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, f.controls[0].id), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, dpi == 96 ? -11 : -17);  // 8.25 pt
    }
}

namespace {

std::deque<std::function<void()>> steps;

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const std::function<void()> step = std::move(steps.front());
    steps.pop_front();
    step();
    if (::testing::Test::HasFailure()) {
        steps.clear();
        for (const wchar_t* cls : {infowin::kDonationClass, infowin::kAboutClass}) {
            if (HWND w = FindWindowW(cls, nullptr)) PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
}

}  // namespace

void Later(std::function<void()> step, UINT ms) {
    steps.push_back(std::move(step));
    SetTimer(nullptr, 0, ms, &RunStep);
}

void WindowTest::SetUp() {
    app::frmMain = std::make_unique<app::FrmMain>();
    app::frmMain->Show();
    main_ = app::frmMain->hwnd();
    ASSERT_NE(main_, nullptr);
}

void WindowTest::TearDown() {
    app::frmMain.reset();
    Pump();
}

Process::Process() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + SarvellExe() + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_)) {
        ADD_FAILURE() << "could not start Sarvell.exe: error " << GetLastError();
    }
}

Process::~Process() {
    if (info_.hProcess == nullptr) return;
    if (!WaitExit(0)) TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<DWORD> Process::WaitExit(DWORD ms) const {
    DWORD code = 0;
    if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0 || !GetExitCodeProcess(info_.hProcess, &code)) return {};
    return code;
}

HWND Process::MainWindow(DWORD ms) const {
    for (const ULONGLONG end = GetTickCount64() + ms; GetTickCount64() < end && !WaitExit(10);) {
        DWORD pid = 0;
        HWND main = FindWindowW(app::kMainWindowClass, nullptr);
        if (main != nullptr && IsWindowVisible(main) && GetWindowThreadProcessId(main, &pid) && pid == info_.dwProcessId) return main;
    }
    return nullptr;
}

int MainWindowCount() {
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, app::kMainWindowClass, nullptr)) != nullptr;) count += IsWindowVisible(w) ? 1 : 0;
    return count;
}

std::wstring SarvellExe() {
    // Built on Linux: the Unix path is reached through Wine's drive Z:.
    std::wstring path = ui::Widen(SARVELL_EXE);
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

}  // namespace sarvell::test
