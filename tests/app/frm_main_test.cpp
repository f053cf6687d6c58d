// The main window made in this process: its controls, z-order and layout
// at 96 and 144 dpi, its start state, focus and tab order, and what its
// buttons and keys do. The commands' registry work is driven end to end in e2e_test.
#include <gtest/gtest.h>

#include "tests/app/app_support.h"

namespace sarvell::test {
namespace {

using namespace sarvell::app;

using MainWindow = WindowTest;

TEST_F(MainWindow, OpensInTheSafeViewWithItsTableAt96And144Dpi) {
    // A taskbar button of its own: unowned, and no tool window.
    EXPECT_EQ((std::pair{GetWindow(main_, GW_OWNER), GetWindowLongW(main_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW}), (std::pair{HWND{}, LONG{0}}));
    EXPECT_NE(SendMessageW(Item(kImage1), STM_GETICON, 0, 0), 0);
    EXPECT_EQ(IsDlgButtonChecked(main_, kOptType0), BST_CHECKED);
    EXPECT_GT(SendMessageW(Item(kTxtExtension), EM_GETLIMITTEXT, 0, 0), 0x7FFF0000) << "the text box takes any length";
    EXPECT_EQ(GetFocus(), Item(kOptType0));  // the first tab stop
    ASSERT_EQ(frmMain->Dpi(), 96u) << "the test prefix runs at 100 %";
    CheckForm(*frmMain, 0x42dbd950aeb494bbu);
    // What the list paints after each fill: the empty safe list, the blocked view's rows, and empty again.
    int ink[3] = {Ink(Item(kLbExtensions))};
    for (int i : {1, 2}) Click(main_, i == 1 ? kOptType1 : kOptType0), ink[i] = Ink(Item(kLbExtensions));
    EXPECT_TRUE(ink[0] == 0 && ink[1] > 1000 && ink[2] == 0) << ink[0] << ", " << ink[1] << ", " << ink[2] << " dark pixels";
}

// The blocked view's list names its context menu while the newer types are
// hidden; the keyboard opens it, its one item shows them after the catalogue
// and hides them again; typed letters find a row by its extension.
TEST_F(MainWindow, NewerTypesComeFromTheListsMenuAndTypingFindsARow) {
    HWND list = Item(kLbExtensions);
    const auto choose = [&](UINT key) {  // opens the menu from the keyboard; what it showed, then `key` pressed in it
        std::string shown;
        Later([&] {
            HWND menu = FindWindowW(L"#32768", nullptr);
            const auto m = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
            wchar_t item[64] = {};
            GetMenuStringW(m, 0, item, 64, MF_BYPOSITION);
            shown = text::Narrow(item) + (GetMenuState(m, 0, MF_BYPOSITION) & MF_CHECKED ? " (checked)" : "");
            for (UINT k : {UINT(VK_DOWN), key}) PostMessageW(menu, WM_KEYDOWN, k, 1);
        });
        // As Shift+F10 and the Menu key ask for it: at no point of the screen.
        SendMessageW(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(-1, -1));
        Pump();
        return shown;
    };
    EXPECT_EQ(ToolTipText(main_, list), "") << "no hint in the safe view";
    Click(main_, kOptType1);
    EXPECT_NE(ToolTipText(main_, list).find("Shift+F10, and choose \"Show types newer Outlooks block\""), std::string::npos) << ToolTipText(main_, list);
    HWND tip = FindWindowW(L"tooltips_class32", nullptr);
    // The mouse's tip, shown as the mouse leaves the list, goes as the hint shows: the hint stays.
    POINT was{};
    GetCursorPos(&was);
    const RECT r = RectIn(HWND_DESKTOP, list);  // on the screen
    SetCursorPos(r.left + 5, r.top + 5);
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    for (const ULONGLONG end = GetTickCount64() + 1500; !IsWindowVisible(tip) && GetTickCount64() < end; Sleep(1)) Pump();
    const bool mouseTip = IsWindowVisible(tip);
    SetCursorPos(r.right + 5, r.top - 5);
    for (wchar_t c : {L'p', L'y'}) SendMessageW(list, WM_CHAR, c, 1);  // found nowhere while they are hidden: the hint shows
    for (const ULONGLONG end = GetTickCount64() + 300; GetTickCount64() < end; Sleep(10)) Pump();
    SetCursorPos(was.x, was.y);
    EXPECT_TRUE(mouseTip && GetWindow(tip, GW_OWNER) == main_ && IsWindowVisible(tip)) << "the mouse's tip, then the hint after py found nothing";
    EXPECT_EQ((std::tuple{choose(VK_RETURN), Rows(main_).size(), Rows(main_)[71], ToolTipText(main_, list)}),
              (std::tuple{"Show types newer Outlooks block", 137u, ".apk - Android Package", ""}));
    for (wchar_t c : {L'p', L'y'}) SendMessageW(list, WM_CHAR, c, 1);
    const auto selected = static_cast<std::size_t>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(selected < 137 ? Rows(main_)[selected] : "none", ".py - Python File") << "the row selected by typing py";
    // Marked safe, and after the refill the list is where it was, nothing selected; a new user row is brought into view.
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    Click(main_, kCmdDelete);
    Type(main_, kTxtExtension, ".zz");
    const auto [topAfterMark, selectedAfterMark] = std::pair{SendMessageW(list, LB_GETTOPINDEX, 0, 0), SendMessageW(list, LB_GETCURSEL, 0, 0)};
    Click(main_, kCmdAdd);
    RECT client{}, row{};
    GetClientRect(list, &client);
    SendMessageW(list, LB_GETITEMRECT, 136, reinterpret_cast<LPARAM>(&row));  // .zz, after the 71 rows and 65 newer ones
    EXPECT_EQ((std::tuple{outlook_.List("Level1Remove"), top > 0 && topAfterMark == top, selectedAfterMark, Rows(main_)[136], row.top >= 0 && row.bottom <= client.bottom}),
              (std::tuple{".py", true, LB_ERR, ".zz - User Applied", true}));
    EXPECT_EQ((std::tuple{choose(VK_RETURN), Rows(main_).size()}), (std::tuple{"Show types newer Outlooks block (checked)", 72u}));
}

// Drawn afresh at every start, never left at its fallback, so that an
// attacker cannot know it.
TEST(StackGuard, IsDrawnAtEveryStart) {
    const auto guard = [] { return Process(StandIn()).WaitExit().value_or(0); };
    const DWORD first = guard(), second = guard(), fallback = 0xff0a0000u;
    EXPECT_TRUE(first != second && first != fallback && second != fallback) << std::hex << first << ", " << second;
}

TEST_F(MainWindow, ButtonsAndKeysDoOnlyWhatTheyShould) {
    Type(main_, kTxtExtension, ".zz");
    Click(main_, kCmdAdd);  // disabled in the safe view: the click goes nowhere
    // Any process can send WM_COMMAND, with any id, or a control's id from another window.
    for (int id : {0, kImage1 - 1, kCmdExit + 1, 0xFFFF, int(kCmdExit)}) {
        SendMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(main_));
    }
    // What decides above the lists is said in the title from the next fill on, and only while it decides.
    registry::Platform& p = registry::CurrentPlatform();
    const std::tuple<std::string, const char*, const char*> deciders[] = {
        {"Software\\Policies\\Microsoft\\Office\\16.0\\Outlook\\Security", "AdminSecurityMode", "Sarvell [Group Policy ignores your safe list]"},
        {"Software\\Microsoft\\Office\\16.0\\Outlook\\Preferences", "UseNewOutlook", "Sarvell [The new Outlook ignores your lists]"}};
    for (const auto& [key, name, title] : deciders) {  // each taken away before the next
        SetRaw(p, registry::HKeyCurrentUser, key, name, registry::kRegDword, {std::uint8_t(*name == 'A' ? 3 : 1), 0, 0, 0});
        Click(main_, kOptType1);
        EXPECT_EQ((std::tuple{Text(main_), Text(main_, kCmdDelete), IsWindowEnabled(Item(kCmdAdd)), Rows(main_).size()}),
                  (std::tuple{title, "Mark as safe", TRUE, 71u}));
        DeleteTree(p, registry::HKeyCurrentUser, key);
    }
    Click(main_, kOptType1);
    EXPECT_EQ(Text(main_), "Sarvell");
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {  // no default or cancel button
        Press(main_, kTxtExtension, {key});
        SendMessageW(Item(kTxtExtension), WM_CHAR, key, 1);
    }
    // The focus leaves with the window and comes back with it.
    HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetActiveWindow(other);
    SetActiveWindow(main_);
    DestroyWindow(other);
    Pump();
    EXPECT_EQ((std::tuple{outlook_.List("Level1Add"), Text(main_, kTxtExtension), GetFocus()}), (std::tuple{std::nullopt, ".zz", Item(kTxtExtension)}));
    // A change while Outlook runs waits for it to restart. The stand-in is
    // named OUTLOOK.EXE: a copy of this program, started suspended, never run.
    const auto dir = std::filesystem::temp_directory_path() / ("SarvellTest." + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directory(dir);
    std::filesystem::copy_file(text::Widen(registry::host::ExecutablePath()), dir / "OUTLOOK.EXE");
    Process running(dir / "OUTLOOK.EXE", CREATE_SUSPENDED);
    Click(main_, kCmdAdd);
    EXPECT_EQ((std::tuple{outlook_.List("Level1Add"), Text(main_)}), (std::tuple{".zz", "Sarvell [Restart Outlook to apply]"}));
    running.End();
    std::filesystem::remove_all(dir);
    Click(main_, kOptType1);
    EXPECT_EQ(Text(main_), "Sarvell");

    Click(main_, kCmdExit);
    EXPECT_FALSE(IsWindow(main_) || frmMain);  // unloaded: the global reference is empty
}

}  // namespace
}  // namespace sarvell::test
