#include "tests/app/app_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>

#include "app/frm_main.h"
#include "infowin/info_ids.h"
#include "policy/outlook_version.h"
#include "tests/support/backends.h"
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

void CheckLayoutAt(UINT dpi, HWND window, int clientWidth, int clientHeight, const std::vector<Box>& controls) {
    RECT r{};
    GetWindowRect(window, &r);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
    const auto px = [dpi](int twips) { return static_cast<LONG>(std::lround(twips * static_cast<int>(dpi) / 1440.0)); };
    GetClientRect(window, &r);
    EXPECT_EQ((std::vector<LONG>{r.right, r.bottom}), (std::vector<LONG>{px(clientWidth), px(clientHeight)})) << dpi << " dpi";
    std::vector<int> order;
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) order.push_back(GetDlgCtrlID(c));
    std::vector<int> expected;
    for (const Box& b : controls) {
        expected.push_back(b.id);
        r = RectIn(window, GetDlgItem(window, b.id));
        EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::vector<LONG>{px(b.left), px(b.top), px(b.width), px(b.height)}))
            << "control " << b.id << " at " << dpi << " dpi";
        // A one-line static text fits its control.
        HWND control = GetDlgItem(window, b.id);
        const LONG type = GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK;
        wchar_t cls[16] = {};
        GetClassNameW(control, cls, 16);
        const std::wstring text = ui::Widen(Text(control));
        if (std::wstring_view(cls) != L"Static" || text.empty() || type == SS_ICON || type == SS_LEFT) continue;
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
