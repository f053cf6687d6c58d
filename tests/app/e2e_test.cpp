// Sarvell.exe started as a user starts it, driven from this process, with
// the registry checked through this process as a second client (in the
// machine's own registry, which is why this program has no roots of its
// own, and runs only where that registry is thrown away); and what
// Windows and the shell read from it: its version block and manifest, each
// pinned by a digest.
#include <gtest/gtest.h>

#include "tests/app/app_support.h"

namespace sarvell::test {
namespace {

using namespace sarvell::app;

// This build's Sarvell.exe. Built on Linux: the Unix path is reached through Wine's drive Z:.
std::filesystem::path SarvellExe() { return std::filesystem::path((*SARVELL_EXE == '/' ? L"Z:" : L"") + text::Widen(SARVELL_EXE)).make_preferred(); }
// Started as a user starts it.
struct Sarvell : Process {
    Sarvell() : Process(SarvellExe()) {}
};

void SelectRow(HWND main, const std::string& row) {
    const auto rows = Rows(main);
    const auto at = std::find(rows.begin(), rows.end(), row);
    if (at == rows.end()) ADD_FAILURE() << "no row reads \"" << row << "\"";
    SendMessageW(GetDlgItem(main, kLbExtensions), LB_SETCURSEL, static_cast<WPARAM>(at - rows.begin()), 0);
}

TEST(EndToEnd, EveryCommandWritesTheRegistryAndASecondStartShowsNothing) {
    // Sarvell.exe reads the machine's own HKEY_CLASSES_ROOT, where the test registers an Outlook of its own.
    if (!GetEnvironmentVariableW(L"SARVELL_THROWAWAY_REGISTRY", nullptr, 0)) {
        GTEST_SKIP() << "it registers an Outlook in this machine's registry: it runs in the throwaway Wine prefix of scripts/test alone";
    }
    OutlookInstall outlook("78");
    SetRaw(registry::CurrentPlatform(), registry::HKeyCurrentUser, outlook.KeyPath(), "Level1Remove", registry::kRegSz, Sz(".bat"));
    Sarvell sarvell;
    HWND main = sarvell.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ((std::tuple{Text(main, kLabel3), Rows(main)}), (std::tuple{"Outlook v78.0", std::vector<std::string>{".bat"}}));
    Click(main, kOptType1);
    SelectRow(main, ".js - JavaScript Source Code");
    Click(main, kCmdDelete);
    EXPECT_EQ(outlook.List("Level1Remove"), ".js;.bat");
    Type(main, kTxtExtension, ".sarv");
    Click(main, kCmdAdd);
    EXPECT_EQ((std::tuple{outlook.List("Level1Add"), Text(main, kTxtExtension)}), (std::tuple{".sarv", ""}));
    SelectRow(main, ".sarv - User Applied");
    Click(main, kCmdDelete);
    EXPECT_EQ(outlook.List("Level1Add"), std::nullopt);

    Sarvell second;  // shows nothing: it ends at once, and the first goes on below
    EXPECT_EQ(second.WaitExit(), 0u);

    Click(main, kOptType0);
    SelectRow(main, ".js");
    Click(main, kCmdDelete);
    EXPECT_EQ(outlook.List("Level1Remove"), ".bat");
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the title bar's close box ends it
    EXPECT_EQ(sarvell.WaitExit(), 0u);
    Sarvell ended;  // and so does a WM_CLOSE sent by another program, as Task Manager's End task sends it
    ASSERT_NE(main = ended.MainWindow(), nullptr);
    SendMessageTimeoutW(main, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    EXPECT_EQ(ended.WaitExit(), 0u);
}

TEST(Resources, VersionBlockAndManifest) {
    HMODULE module = LoadLibraryExW(SarvellExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const auto resource = [module](const wchar_t* type, int id) {
        HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        return r ? std::string(static_cast<const char*>(LockResource(LoadResource(module, r))), SizeofResource(module, r))
                 : std::string();
    };
    EXPECT_TRUE(Pins(resource(RT_VERSION, VS_VERSION_INFO), 0x9eb1867e51429777u));
    EXPECT_TRUE(Pins(resource(RT_MANIFEST, 1), sizeof(void*) == 8 ? 0xbe94208065814627u : 0x25f41561b70123cfu));  // amd64, X86
    FreeLibrary(module);
}

}  // namespace
}  // namespace sarvell::test
