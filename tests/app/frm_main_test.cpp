// The main window made in this process: its controls, z-order and layout
// at 96 and 144 dpi, its start state, focus and tab order, and what its
// buttons and keys do. The commands' registry work is driven end to end in e2e_test.
#include <gtest/gtest.h>

#include "app/frm_main.h"
#include "tests/app/app_support.h"
#include "tests/support/backends.h"
#include "tests/support/digest.h"

namespace sarvell::test {
namespace {

using namespace sarvell::app;

struct Expected {
    Box box;
    const wchar_t* cls;
    const char* text;  // nullptr: set by the load sequence
    DWORD style;       // the control kind's style bits
};

// In z-order; Label3 sits at 240, 360 inside Frame1, which sits at -120, 4920.
const Expected kLayout[] = {
    {{kOptType0, 1320, 1890, 2055, 255}, L"Button", "Display Safe Extensions", BS_AUTORADIOBUTTON},
    {{kOptType1, 3480, 1890, 2295, 255}, L"Button", "Display Blocked Extensions", BS_AUTORADIOBUTTON},
    {{kCmdDelete, 2040, 4470, 1815, 315}, L"Button", "Mark as blocked", BS_PUSHBUTTON},  // no default button
    {{kCmdAbout, 3120, 5160, 1455, 315}, L"Button", "About", BS_PUSHBUTTON},
    {{kCmdExit, 4680, 5160, 1095, 315}, L"Button", "Close", BS_PUSHBUTTON},
    {{kCmdAdd, 4560, 1320, 495, 255}, L"Button", "Add", BS_PUSHBUTTON},
    {{kLabel4, 960, 1260, 2415, 375}, L"Static", "Add an extension to the blocked extension list (example: .asp)", SS_LEFT},
    {{kTxtExtension, 3480, 1305, 975, 285}, L"Edit", "", ES_AUTOHSCROLL},
    {{kLabel2, 120, 1920, 1335, 255}, L"Static", "Extensions:", SS_LEFTNOWORDWRAP},
    {{kLbExtensions, 120, 2160, 5655, 2265}, L"ListBox", "", LBS_NOINTEGRALHEIGHT},
    {{kLabel1, 720, 120, 4935, 975}, L"Static", nullptr, SS_LEFT},
    {{kLabel3, 120, 5280, 1455, 255}, L"Static", "Outlook v77.0", SS_LEFTNOWORDWRAP},
    {{kImage1, 120, 120, 480, 480}, L"Static", "", SS_ICON},
    {{kFrame1, -120, 4920, 6015, 735}, L"Button", "  Dunmere ", BS_GROUPBOX},
};

using MainWindow = WindowTest;

TEST_F(MainWindow, OpensInTheSafeViewWithItsTableAt96And144Dpi) {
    EXPECT_EQ(Text(main_), "Sarvell");
    const LONG style = GetWindowLongW(main_, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_CAPTION | WS_SYSMENU);
    // A taskbar button of its own: unowned, and no tool window.
    EXPECT_EQ(GetWindow(main_, GW_OWNER), nullptr);
    EXPECT_FALSE(GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_NE(SendMessageW(Item(kImage1), STM_GETICON, 0, 0), 0);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Item(kCmdExit), WM_GETFONT, 0, 0));
    std::vector<Box> boxes;
    for (const Expected& e : kLayout) {
        const int id = e.box.id;
        SCOPED_TRACE("control " + std::to_string(id));
        boxes.push_back(e.box);
        wchar_t cls[32] = {};
        GetClassNameW(Item(id), cls, 32);
        EXPECT_STREQ(cls, e.cls);
        EXPECT_EQ(Text(main_, id), e.text ? e.text : Text(main_, id));
        const DWORD mask = e.cls[0] == L'S' ? SS_TYPEMASK : e.cls[0] == L'B' ? BS_TYPEMASK : e.style;
        EXPECT_EQ(GetWindowLongW(Item(id), GWL_STYLE) & mask, e.style);
        EXPECT_EQ(IsWindowEnabled(Item(id)) == FALSE, id == kCmdAdd || id == kFrame1);
        EXPECT_TRUE(IsWindowVisible(Item(id)));
        EXPECT_TRUE(id == kImage1 || reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)) == font);
    }
    EXPECT_EQ(GetWindowLongW(Item(kLbExtensions), GWL_STYLE) & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0);
    EXPECT_GE(SendMessageW(Item(kTxtExtension), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
    EXPECT_EQ(Digest(Text(main_, kLabel1)), 0xf1465a17dec0bb2eu);
    EXPECT_EQ(frmMain->SecurityKeyPath(), outlook_.KeyPath());
    EXPECT_EQ(IsDlgButtonChecked(main_, kOptType0), BST_CHECKED);
    EXPECT_TRUE(Rows(main_).empty());
    EXPECT_EQ(GetFocus(), Item(kOptType0));  // the first tab stop

    ASSERT_EQ(frmMain->Dpi(), 96u) << "the test prefix runs at 100 %";
    for (UINT dpi : {96u, 144u, 96u}) {
        CheckLayoutAt(dpi, main_, 5880, 5580, boxes);
        LOGFONTW lf{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(kLabel1), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        EXPECT_EQ(lf.lfHeight, dpi == 96 ? -11 : -17);  // 8.25 pt
    }
}

TEST_F(MainWindow, TabOrderFollowsTheTableAndFocusComesBackWithTheWindow) {
    // Tab stops in order; the option group is entered at its selected button.
    const int order[] = {kOptType0, kCmdDelete, kCmdAbout, kCmdExit, kCmdAdd, kTxtExtension, kLbExtensions};
    EnableWindow(Item(kCmdAdd), TRUE);  // a disabled control is skipped
    HWND at = Item(kLbExtensions);
    for (int id : order) EXPECT_EQ(GetDlgCtrlID(at = GetNextDlgTabItem(main_, at, FALSE)), id);
    EXPECT_EQ(GetNextDlgGroupItem(main_, Item(kOptType0), FALSE), Item(kOptType1));
    for (int id : {kImage1, kLabel1, kLabel2, kLabel3, kLabel4, kFrame1}) {
        EXPECT_FALSE(GetWindowLongW(Item(id), GWL_STYLE) & WS_TABSTOP) << id;
    }
    SetFocus(Item(kTxtExtension));
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    SetActiveWindow(main_);
    EXPECT_EQ(GetFocus(), Item(kTxtExtension));
    DestroyWindow(other);
}

TEST_F(MainWindow, ButtonsAndKeysDoOnlyWhatTheyShould) {
    Type(main_, kTxtExtension, ".zz");
    Click(main_, kCmdAdd);  // disabled in the safe view: the click goes nowhere
    // Any process can send WM_COMMAND, with any id.
    for (int id : {0, kImage1 - 1, kCmdExit + 1, 0xFFFF}) {
        SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(main_));
    }
    Click(main_, kOptType1);
    EXPECT_EQ(IsDlgButtonChecked(main_, kOptType0), BST_UNCHECKED);
    EXPECT_EQ((std::tuple{Text(main_, kCmdDelete), IsWindowEnabled(Item(kCmdAdd)), Rows(main_).size()}),
              (std::tuple{"Mark as safe", TRUE, 71u}));
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {  // no default or cancel button
        SetFocus(Item(kTxtExtension));
        MSG down{Item(kTxtExtension), WM_KEYDOWN, key, 1, 0, {}};
        if (!IsDialogMessageW(main_, &down)) DispatchMessageW(&down);
        SendMessageW(Item(kTxtExtension), WM_CHAR, key, 1);
        Pump();
    }
    EXPECT_EQ((std::tuple{outlook_.List("Level1Add"), Text(main_, kTxtExtension)}), (std::tuple{std::nullopt, ".zz"}));
    Click(main_, kOptType0);
    EXPECT_EQ((std::tuple{Text(main_, kCmdDelete), IsWindowEnabled(Item(kCmdAdd))}), (std::tuple{"Mark as blocked", FALSE}));

    Click(main_, kCmdExit);
    EXPECT_FALSE(IsWindow(main_) || frmMain);  // unloaded: the global reference is empty
}

}  // namespace
}  // namespace sarvell::test
