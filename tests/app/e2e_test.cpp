// Sarvell.exe started as a user starts it, driven from this process, with
// the registry checked through this process as a second client.
#include <gtest/gtest.h>

#include "app/frm_main_ids.h"
#include "tests/app/app_support.h"
#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace sarvell::app;

TEST(EndToEnd, EveryCommandWritesTheRegistryAndASecondStartShowsNothing) {
    OutlookInstall outlook("78");
    SetRaw(registry::CurrentPlatform(), registry::HKeyCurrentUser, outlook.KeyPath(), "Level1Remove", registry::kRegSz, Sz(".js"));
    Process sarvell;
    HWND main = sarvell.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ((std::tuple{Text(main, kLabel3), Rows(main)}), (std::tuple{"Outlook v78.0", std::vector<std::string>{".js"}}));
    Click(main, kOptType1);
    SelectRow(main, ".bat - Batch Processing");
    Click(main, kCmdDelete);
    EXPECT_EQ(outlook.List("Level1Remove"), ".bat;.js");
    EXPECT_EQ(Rows(main).size(), 68u);  // less .bat, .js and .jse
    Type(main, kTxtExtension, ".sarv");
    Click(main, kCmdAdd);
    EXPECT_EQ((std::tuple{outlook.List("Level1Add"), Text(main, kTxtExtension)}), (std::tuple{".sarv", ""}));
    SelectRow(main, ".sarv - User Applied");
    Click(main, kCmdDelete);
    EXPECT_EQ(outlook.List("Level1Add"), std::nullopt);

    Process second;
    EXPECT_EQ(second.WaitExit(), 0u);
    EXPECT_EQ(MainWindowCount(), 1);
    EXPECT_EQ(IsDlgButtonChecked(main, kOptType1), BST_CHECKED);  // the first keeps its state

    Click(main, kOptType0);
    EXPECT_EQ(Rows(main), (std::vector<std::string>{".bat", ".js"}));
    for (const char* row : {".bat", ".js"}) {
        SelectRow(main, row);
        Click(main, kCmdDelete);
    }
    EXPECT_EQ(outlook.List("Level1Remove"), std::nullopt);
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the title bar's close box ends it
    EXPECT_EQ(sarvell.WaitExit(), 0u);
    EXPECT_EQ(MainWindowCount(), 0);
}

}  // namespace
}  // namespace sarvell::test
