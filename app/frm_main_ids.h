// Control numbers of the main window, shared with the tests and tools that
// drive it from outside. None is IDOK or IDCANCEL, so Enter and Escape,
// which the dialog manager turns into those, reach no command.
#pragma once

/* The icons this window shows, as the resource script numbers them; the
   first icon group is the one the shell shows for the exe. */
#define IDI_SARVELL 1
#define IDI_PICTURE 2

#ifndef RC_INVOKED
namespace sarvell::app {

inline constexpr const wchar_t* kMainWindowClass = L"Dunmere.Sarvell.frmMain";

enum MainControl : int {
    kImage1 = 100,
    kLabel1,
    kLabel4,
    kTxtExtension,
    kCmdAdd,
    kOptType0,
    kOptType1,
    kLabel2,
    kLbExtensions,
    kCmdDelete,
    kFrame1,
    kLabel3,
    kCmdAbout,
    kCmdExit,
};

}  // namespace sarvell::app
#endif
