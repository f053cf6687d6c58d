// Helpers for the tests that drive Sarvell's windows: a registered Outlook
// of the tests' own, the messages a user's clicks and keys produce, steps
// run from inside a modal window's loop, and a Sarvell.exe started as a user
// starts it. They work on windows of this process and of another one.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/shell.h"

namespace sarvell::test {

// Registers Outlook version `major` (CurVer "Outlook.Application.<major>")
// and clears its security key; puts the registry back at the end.
class OutlookInstall {
public:
    explicit OutlookInstall(const std::string& major = "77");
    ~OutlookInstall();
    std::string KeyPath() const;
    // A list value's text as stored, or nothing when absent.
    std::optional<std::string> List(const std::string& name) const;

private:
    std::string major_;
    std::optional<std::vector<std::uint8_t>> savedCurVer_;
};

std::string Text(HWND window);  // WM_GETTEXT, so that it reads other processes' windows too
std::string Text(HWND parent, int id);
std::vector<std::string> Rows(HWND main);
void SelectRow(HWND main, const std::string& row);  // fails the test when no row reads so
void Click(HWND parent, int id);                    // as BM_CLICK makes it
void Type(HWND parent, int id, const std::string& text);  // keystroke by keystroke
void Pump();
RECT RectIn(HWND window, HWND control);  // in the window's client coordinates

// Checks a window against its own table, which the digest pins: its title
// and styles; each control's class, style and text; and at 96, then 144,
// then 96 dpi, as Windows tells it, the client size, each control's place,
// the z-order, every one-line static text shown whole, and the 8.25 pt font.
void CheckForm(const ui::Form& form, std::uint64_t digest);

// Runs a step from inside whatever modal loop runs `ms` from now. A step
// that fails closes the About and donation windows, so that the test ends
// at once instead of waiting in a modal loop for ctest's timeout.
void Later(std::function<void()> step, UINT ms = 20);

// A Sarvell.exe started as a user starts it; ended when the test ends.
class Process {
public:
    Process();
    ~Process();
    std::optional<DWORD> WaitExit(DWORD ms = 15000) const;  // nothing while it still runs
    HWND MainWindow(DWORD ms = 15000) const;                 // its visible main window, waited for

private:
    PROCESS_INFORMATION info_{};
};

// The main window made and shown in this process over an Outlook of the
// tests' own, with the links it hands to the shell caught in handed_.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    HWND Item(int id) const { return GetDlgItem(main_, id); }

    OutlookInstall outlook_;
    HWND main_ = nullptr;
    std::vector<std::string> handed_;
    ui::ShellScope shell_{[this](HWND, const std::string& target) { handed_.push_back(target); }};
};

// How many visible Sarvell main windows exist, of any process.
int MainWindowCount();
std::wstring SarvellExe();

}  // namespace sarvell::test
