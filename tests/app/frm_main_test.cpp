// The main window made in this process: its controls and layout at 96 and
// 144 dpi, its start state, and the policy operation each click runs.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/frm_main.h"
#include "registry/platform.h"
#include "registry/types.h"
#include "tests/app/app_support.h"
#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace sarvell::app;

struct Expected {
    int id;
    const wchar_t* cls;
    const char* text;  // nullptr: set by the load sequence
    int left, top, width, height;  // twips, from the client area
    bool enabled;
};

// Label3 sits at 240, 360 inside Frame1, which sits at -120, 4920.
const Expected kLayout[] = {
    {kImage1, L"Static", "", 120, 120, 480, 480, true},
    {kLabel1, L"Static", nullptr, 720, 120, 4935, 975, true},
    {kLabel4, L"Static", "Add an extension to the blocked extension list (example: .asp)", 960, 1260, 2415, 375, true},
    {kTxtExtension, L"Edit", "", 3480, 1305, 975, 285, true},
    {kCmdAdd, L"Button", "Add", 4560, 1320, 495, 255, false},
    {kOptType0, L"Button", "Display Safe Extensions", 1320, 1890, 2055, 255, true},
    {kOptType1, L"Button", "Display Blocked Extensions", 3480, 1890, 2295, 255, true},
    {kLabel2, L"Static", "Extensions:", 120, 1920, 1335, 255, true},
    {kLbExtensions, L"ListBox", "", 120, 2160, 5655, 2265, true},
    {kCmdDelete, L"Button", "Mark as blocked", 2040, 4470, 1815, 315, true},
    {kFrame1, L"Button", "  Dunmere ", -120, 4920, 6015, 735, false},
    {kLabel3, L"Static", nullptr, 120, 5280, 1455, 255, true},
    {kCmdAbout, L"Button", "About", 3120, 5160, 1455, 315, true},
    {kCmdExit, L"Button", "Close", 4680, 5160, 1095, 315, true},
};

const char* const kExplanation =
    "Controls the file types of attachments that Outlook has determined to be unsafe for opening.  To enable a "
    "blocked extension, select the 'Display Blocked Extensions',  choose an extension from the list, and then press "
    "Mark as safe. This will now allow you access to these file types attached to an Outlook email.";

int Pixels(int twips, int dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        outlook_ = std::make_unique<OutlookInstall>();
        frmMain = std::make_unique<FrmMain>();
        frmMain->Show();
        main_ = frmMain->hwnd();
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        frmMain.reset();
        Pump();
        outlook_.reset();
    }

    void CheckLayout(int dpi) {
        RECT client{};
        GetClientRect(main_, &client);
        EXPECT_EQ(client.right, Pixels(5880, dpi));
        EXPECT_EQ(client.bottom, Pixels(5580, dpi));
        for (const Expected& e : kLayout) {
            SCOPED_TRACE("control " + std::to_string(e.id) + " at " + std::to_string(dpi) + " dpi");
            const RECT r = RectIn(main_, Item(main_, e.id));
            EXPECT_EQ(r.left, Pixels(e.left, dpi));
            EXPECT_EQ(r.top, Pixels(e.top, dpi));
            EXPECT_EQ(r.right - r.left, Pixels(e.width, dpi));
            EXPECT_EQ(r.bottom - r.top, Pixels(e.height, dpi));
        }
    }

    std::unique_ptr<OutlookInstall> outlook_;
    HWND main_ = nullptr;
};

TEST_F(MainWindow, ControlsHaveTheirKindsTextsAndStates) {
    for (const Expected& e : kLayout) {
        SCOPED_TRACE("control " + std::to_string(e.id));
        HWND h = Item(main_, e.id);
        wchar_t cls[32] = {};
        GetClassNameW(h, cls, 32);
        EXPECT_STREQ(cls, e.cls);
        if (e.text != nullptr) {
            EXPECT_EQ(Text(h), e.text);
        }
        EXPECT_EQ(IsWindowEnabled(h) != FALSE, e.enabled);
        EXPECT_TRUE(IsWindowVisible(h));
    }
    const auto style = [&](int id) { return GetWindowLongW(Item(main_, id), GWL_STYLE); };
    EXPECT_EQ(style(kOptType0) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_EQ(style(kOptType1) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_EQ(style(kFrame1) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(style(kCmdDelete) & BS_TYPEMASK, BS_PUSHBUTTON);  // no default button
    EXPECT_EQ(style(kLbExtensions) & (LBS_SORT | LBS_MULTIPLESEL | LBS_EXTENDEDSEL), 0);
    EXPECT_EQ(style(kLabel2) & SS_TYPEMASK, SS_LEFTNOWORDWRAP);
    EXPECT_EQ(style(kLabel1) & SS_TYPEMASK, SS_LEFT);  // word-wrapped
    EXPECT_EQ(style(kLabel4) & SS_TYPEMASK, SS_LEFT);
    EXPECT_EQ(style(kTxtExtension) & ES_MULTILINE, 0);
    EXPECT_GE(SendMessageW(Item(main_, kTxtExtension), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);

    // One font for all, 8.25 pt.
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(Item(main_, kCmdExit), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -11);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    for (const Expected& e : kLayout) {
        if (e.id == kImage1) continue;  // a picture has no text
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(main_, e.id), WM_GETFONT, 0, 0)), font) << e.id;
    }
}

TEST_F(MainWindow, IsAFixedWindowWithACloseBoxOnly) {
    EXPECT_EQ(Text(main_), "Sarvell");
    const LONG style = GetWindowLongW(main_, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ(GetWindow(main_, GW_OWNER), nullptr);  // a taskbar button of its own
    EXPECT_NE(GetClassLongPtrW(main_, GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrW(main_, GCLP_HICONSM), 0u);
    EXPECT_NE(SendMessageW(Item(main_, kImage1), STM_GETICON, 0, 0), 0);
}

TEST_F(MainWindow, LaysOutItsTableAt96And144Dpi) {
    ASSERT_EQ(frmMain->Dpi(), 96u) << "the test prefix runs at 100 %";
    CheckLayout(96);

    // What Windows sends when the window moves to a 150 % monitor.
    RECT suggested{};
    GetWindowRect(main_, &suggested);
    SendMessageW(main_, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    CheckLayout(144);
    EXPECT_NE(SendMessageW(main_, WM_GETICON, ICON_BIG, 0), 0);  // icons for the new DPI
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(main_, kLabel1), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_EQ(lf.lfHeight, -17);

    SendMessageW(main_, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    CheckLayout(96);
}

TEST_F(MainWindow, TabOrderFollowsTheTable) {
    // Tab stops in order; the option group is entered at its selected button.
    const int order[] = {kOptType0, kCmdDelete, kCmdAbout, kCmdExit, kCmdAdd, kTxtExtension, kLbExtensions};
    EnableWindow(Item(main_, kCmdAdd), TRUE);  // a disabled control is skipped
    HWND at = Item(main_, kLbExtensions);
    for (int id : order) {
        at = GetNextDlgTabItem(main_, at, FALSE);
        EXPECT_EQ(GetDlgCtrlID(at), id);
    }
    EXPECT_EQ(GetNextDlgGroupItem(main_, Item(main_, kOptType0), FALSE), Item(main_, kOptType1));
    EXPECT_EQ(GetNextDlgGroupItem(main_, Item(main_, kOptType1), FALSE), Item(main_, kOptType0));
    // The labels, the image and the frame are no tab stops.
    for (int id : {kImage1, kLabel1, kLabel2, kLabel3, kLabel4, kFrame1}) {
        EXPECT_FALSE(GetWindowLongW(Item(main_, id), GWL_STYLE) & WS_TABSTOP) << id;
    }
}

TEST_F(MainWindow, StartsInTheSafeView) {
    EXPECT_EQ(Text(Item(main_, kLabel1)), kExplanation);
    EXPECT_EQ(Text(Item(main_, kLabel3)), "Outlook v77.0");
    EXPECT_EQ(frmMain->SecurityKeyPath(), "Software\\Microsoft\\Office\\77.0\\Outlook\\Security");
    EXPECT_EQ(IsDlgButtonChecked(main_, kOptType0), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(main_, kOptType1), BST_UNCHECKED);
    EXPECT_TRUE(Rows(main_).empty());
    EXPECT_EQ(SelectedRow(main_), LB_ERR);
}

TEST(MainWindowLoad, ShowsTheSafeListAndNaWithoutOutlook) {
    {
        OutlookInstall outlook;
        outlook.SetList("Level1Remove", ".js;.exe");
        frmMain = std::make_unique<FrmMain>();
        frmMain->Show();
        EXPECT_EQ(Rows(frmMain->hwnd()), (std::vector<std::string>{".js", ".exe"}));
        frmMain.reset();
    }
    OutlookInstall registered;  // then taken away again, to leave no CurVer
    registry::Platform& p = registry::CurrentPlatform();
    DeleteTree(p, registry::HKeyClassesRoot, "Outlook.Application");
    frmMain = std::make_unique<FrmMain>();
    frmMain->Show();
    EXPECT_EQ(Text(Item(frmMain->hwnd(), kLabel3)), "Outlook vn/a");
    EXPECT_EQ(frmMain->SecurityKeyPath(), "Software\\Microsoft\\Office\\n/a\\Outlook\\Security");
    frmMain.reset();
}

TEST_F(MainWindow, OptionButtonsSwitchTheView) {
    Click(main_, kOptType1);
    EXPECT_EQ(IsDlgButtonChecked(main_, kOptType0), BST_UNCHECKED);
    EXPECT_EQ(Text(Item(main_, kCmdDelete)), "Mark as safe");
    EXPECT_TRUE(IsWindowEnabled(Item(main_, kCmdAdd)));
    const std::vector<std::string> blocked = Rows(main_);
    ASSERT_EQ(blocked.size(), 71u);
    EXPECT_EQ(blocked.front(), ".ade - Access Project Extension (Microsoft)");

    Click(main_, kOptType0);
    EXPECT_EQ(Text(Item(main_, kCmdDelete)), "Mark as blocked");
    EXPECT_FALSE(IsWindowEnabled(Item(main_, kCmdAdd)));
    EXPECT_TRUE(Rows(main_).empty());
}

TEST_F(MainWindow, ClicksRunTheCommandsAndWriteTheRegistry) {
    Click(main_, kOptType1);
    SelectRow(main_, ".exe - Executable File");
    Click(main_, kCmdDelete);
    EXPECT_EQ(outlook_->List("Level1Remove"), ".exe");
    EXPECT_EQ(Rows(main_).size(), 70u);

    Type(main_, kTxtExtension, ".qqq");
    Click(main_, kCmdAdd);
    EXPECT_EQ(outlook_->List("Level1Add"), ".qqq");
    EXPECT_EQ(Text(Item(main_, kTxtExtension)), "");
    EXPECT_EQ(Rows(main_).back(), ".qqq - User Applied");

    SelectRow(main_, ".qqq - User Applied");
    Click(main_, kCmdDelete);
    EXPECT_EQ(outlook_->List("Level1Add"), std::nullopt);

    Click(main_, kOptType0);
    EXPECT_EQ(Rows(main_), std::vector<std::string>{".exe"});
    SelectRow(main_, ".exe");
    Click(main_, kCmdDelete);
    EXPECT_EQ(outlook_->List("Level1Remove"), std::nullopt);
    EXPECT_TRUE(Rows(main_).empty());
}

TEST_F(MainWindow, EnterAndEscapeDoNothing) {
    Click(main_, kOptType1);
    Type(main_, kTxtExtension, ".zz");
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        SetFocus(Item(main_, kTxtExtension));
        MSG down{Item(main_, kTxtExtension), WM_KEYDOWN, key, 1, 0, {}};
        if (!IsDialogMessageW(main_, &down)) DispatchMessageW(&down);
        SendMessageW(Item(main_, kTxtExtension), WM_CHAR, key, 1);
        Pump();
    }
    EXPECT_EQ(outlook_->List("Level1Add"), std::nullopt);
    EXPECT_EQ(Text(Item(main_, kTxtExtension)), ".zz");
    EXPECT_TRUE(IsWindow(main_));
}

TEST_F(MainWindow, AddIsNoCommandInTheSafeView) {
    Type(main_, kTxtExtension, ".zz");
    Click(main_, kCmdAdd);  // disabled: the click goes nowhere
    EXPECT_EQ(outlook_->List("Level1Add"), std::nullopt);
}

TEST_F(MainWindow, CloseButtonAndCloseBoxUnloadIt) {
    Click(main_, kCmdExit);
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_EQ(frmMain, nullptr);

    frmMain = std::make_unique<FrmMain>();
    frmMain->Show();
    main_ = frmMain->hwnd();
    SendMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_FALSE(IsWindow(main_));
    EXPECT_EQ(frmMain, nullptr);
}

}  // namespace
}  // namespace sarvell::test
