// Helpers for the tests that drive Sarvell's windows: a registered Outlook
// of the tests' own with its security key, and the messages a user's clicks
// and keys produce. The same helpers work on a window of this process and
// on one of a Sarvell.exe the test started.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace sarvell::test {

// Registers Outlook version `major` (CurVer "Outlook.Application.<major>")
// and clears its security key; puts the registry back at the end.
class OutlookInstall {
public:
    explicit OutlookInstall(const std::string& major = "77");
    ~OutlookInstall();
    OutlookInstall(const OutlookInstall&) = delete;
    OutlookInstall& operator=(const OutlookInstall&) = delete;

    std::string Version() const { return major_ + ".0"; }
    std::string KeyPath() const;
    // A list value as stored (REG_SZ), or nothing when absent.
    std::optional<std::string> List(const std::string& name) const;
    void SetList(const std::string& name, const std::string& text) const;

private:
    std::string major_;
    std::optional<std::vector<std::uint8_t>> savedCurVer_;
    bool hadOutlookKey_ = false;
};

HWND Item(HWND main, int id);
std::string Text(HWND control);
std::vector<std::string> Rows(HWND main);
int SelectedRow(HWND main);
// A control's rectangle in its window's client coordinates.
RECT RectIn(HWND window, HWND control);
// Selects the row that reads `row`; fails the test when there is none.
void SelectRow(HWND main, const std::string& row);
// A mouse click on a button, as BM_CLICK makes it.
void Click(HWND main, int id);
// Types text into a control as keystrokes would, one character at a time.
void Type(HWND main, int id, const std::string& text);
// Runs the messages waiting for this thread.
void Pump();

// A Sarvell.exe started as a user would start it.
class Process {
public:
    explicit Process(const std::wstring& exe);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const;
    // The exit code, or nothing when the process still runs after `ms`.
    std::optional<DWORD> WaitExit(DWORD ms) const;
    // Its visible main window, waited for up to `ms`.
    HWND MainWindow(DWORD ms) const;

private:
    PROCESS_INFORMATION info_{};
};

// Sarvell.exe of this build, as a Windows path.
std::wstring SarvellExe();
// How many visible Sarvell main windows exist, of any process.
int MainWindowCount();

}  // namespace sarvell::test
