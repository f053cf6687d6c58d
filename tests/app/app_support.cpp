#include "tests/app/app_support.h"

#include <gtest/gtest.h>

#include <deque>

#include "app/frm_main_ids.h"
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
