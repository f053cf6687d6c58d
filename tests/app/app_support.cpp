#include "tests/app/app_support.h"

#include <gtest/gtest.h>

#include "app/frm_main_ids.h"
#include "policy/outlook_version.h"
#include "registry/platform.h"
#include "registry/types.h"
#include "tests/support/backends.h"
#include "ui/text.h"

namespace sarvell::test {

namespace {
constexpr const char* kOutlookKey = "Outlook.Application";
constexpr const char* kCurVerKey = "Outlook.Application\\CurVer";
}  // namespace

OutlookInstall::OutlookInstall(const std::string& major) : major_(major) {
    registry::Platform& p = registry::CurrentPlatform();
    hadOutlookKey_ = KeyPresent(p, registry::HKeyClassesRoot, kOutlookKey);
    if (auto old = GetRaw(p, registry::HKeyClassesRoot, kCurVerKey, "")) savedCurVer_ = old->data;
    SetRaw(p, registry::HKeyClassesRoot, kCurVerKey, "", registry::kRegSz, Sz("Outlook.Application." + major));
    DeleteTree(p, registry::HKeyCurrentUser, KeyPath());
}

OutlookInstall::~OutlookInstall() {
    registry::Platform& p = registry::CurrentPlatform();
    DeleteTree(p, registry::HKeyCurrentUser, "Software\\Microsoft\\Office\\" + Version());
    if (!hadOutlookKey_) {
        DeleteTree(p, registry::HKeyClassesRoot, kOutlookKey);
    } else if (savedCurVer_) {
        SetRaw(p, registry::HKeyClassesRoot, kCurVerKey, "", registry::kRegSz, *savedCurVer_);
    }
}

std::string OutlookInstall::KeyPath() const { return policy::SecurityKeyPathFor(Version()); }

std::optional<std::string> OutlookInstall::List(const std::string& name) const {
    auto raw = GetRaw(registry::CurrentPlatform(), registry::HKeyCurrentUser, KeyPath(), name);
    if (!raw) return std::nullopt;
    EXPECT_EQ(raw->type, registry::kRegSz) << name;
    std::string text(raw->data.begin(), raw->data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
}

void OutlookInstall::SetList(const std::string& name, const std::string& text) const {
    SetRaw(registry::CurrentPlatform(), registry::HKeyCurrentUser, KeyPath(), name, registry::kRegSz, Sz(text));
}

HWND Item(HWND main, int id) {
    HWND h = GetDlgItem(main, id);
    EXPECT_NE(h, nullptr) << "control " << id;
    return h;
}

std::string Text(HWND control) {
    // WM_GETTEXT, so that it also reads a window of another process.
    const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(copied));
    return ui::Narrow(buffer);
}

std::vector<std::string> Rows(HWND main) {
    HWND list = Item(main, app::kLbExtensions);
    std::vector<std::string> rows;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
        const LRESULT copied =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        buffer.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
        rows.push_back(ui::Narrow(buffer));
    }
    return rows;
}

int SelectedRow(HWND main) {
    return static_cast<int>(SendMessageW(Item(main, app::kLbExtensions), LB_GETCURSEL, 0, 0));
}

RECT RectIn(HWND window, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void SelectRow(HWND main, const std::string& row) {
    const std::vector<std::string> rows = Rows(main);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == row) {
            SendMessageW(Item(main, app::kLbExtensions), LB_SETCURSEL, i, 0);
            return;
        }
    }
    ADD_FAILURE() << "no row reads \"" << row << "\"";
}

void Click(HWND main, int id) {
    SendMessageW(Item(main, id), BM_CLICK, 0, 0);
    Pump();
}

void Type(HWND main, int id, const std::string& text) {
    HWND control = Item(main, id);
    for (wchar_t c : ui::Widen(text)) SendMessageW(control, WM_CHAR, c, 1);
}

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

Process::Process(const std::wstring& exe) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &info_)) {
        info_ = {};
        ADD_FAILURE() << "could not start " << ui::Narrow(exe) << ": error " << GetLastError();
    }
}

Process::~Process() {
    if (info_.hProcess == nullptr) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::Running() const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(DWORD ms) const {
    if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct Search {
    DWORD pid = 0;  // 0: any process
    HWND found = nullptr;
    int count = 0;
};

BOOL CALLBACK FindMain(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (wcscmp(cls, app::kMainWindowClass) == 0 && IsWindowVisible(hwnd) && (search->pid == 0 || pid == search->pid)) {
        search->found = hwnd;
        ++search->count;
    }
    return TRUE;
}

}  // namespace

HWND Process::MainWindow(DWORD ms) const {
    const ULONGLONG end = GetTickCount64() + ms;
    do {
        Search search{info_.dwProcessId};
        EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(10);
    } while (GetTickCount64() < end && Running());
    return nullptr;
}

int MainWindowCount() {
    Search search;
    EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

std::wstring SarvellExe() {
    // Built on Linux: the Unix path is reached through Wine's drive Z:.
    std::wstring path = ui::Widen(SARVELL_EXE);
    if (!path.empty() && path[0] == L'/') path = L"Z:" + path;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

}  // namespace sarvell::test
