// What Windows and the shell read from Sarvell.exe: its version block,
// manifest and icons.
#include <gtest/gtest.h>

#include <windows.h>

#include "infowin/resource_ids.h"
#include "tests/app/app_support.h"
#include "tests/support/digest.h"
#include "ui/text.h"

namespace sarvell::test {
namespace {

class Resources : public ::testing::Test {
protected:
    void TearDown() override { FreeLibrary(module_); }
    std::string Resource(const wchar_t* type, int id) {
        HRSRC r = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        return r ? std::string(static_cast<const char*>(LockResource(LoadResource(module_, r))), SizeofResource(module_, r))
                 : std::string();
    }
    // Each image of an icon group: its size and bits per pixel.
    std::vector<std::pair<int, int>> Icon(int id) {
        const std::string group = Resource(RT_GROUP_ICON, id);
        std::vector<std::pair<int, int>> images;
        for (std::size_t at = 6; at + 14 <= group.size(); at += 14) {
            const auto width = static_cast<unsigned char>(group[at]);
            images.emplace_back(width == 0 ? 256 : width, static_cast<unsigned char>(group[at + 6]));
        }
        return images;
    }
    HMODULE module_ = LoadLibraryExW(SarvellExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
};

TEST_F(Resources, VersionBlockNamesTheProgram) {
    const std::wstring exe = SarvellExe();
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    WORD* translation = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ((std::vector<DWORD>{fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
                                  fixed->dwProductVersionLS, fixed->dwFileType}),
              (std::vector<DWORD>{0x00010000u, 0, 0x00010000u, 0, VFT_APP}));
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size));
    EXPECT_EQ((std::vector<WORD>{translation[0], translation[1]}), (std::vector<WORD>{0x0409, 1200}));
    std::string joined;
    for (const wchar_t* name : {L"FileDescription", L"ProductName", L"CompanyName", L"InternalName", L"OriginalFilename",
                                L"FileVersion", L"ProductVersion"}) {
        wchar_t* text = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        EXPECT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &size));
        joined += ui::Narrow(name) + "=" + (text ? ui::Narrow(text) : "") + "\n";
    }
    EXPECT_EQ(Digest(joined), 0x9e77f2e519cb15bu) << joined;
}

TEST_F(Resources, ManifestAndIcons) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
    for (const char* part : {
             R"(<assemblyIdentity type="win32" name="Dunmere.Sarvell.Sarvell" version="1.0.0.0" processorArchitecture="amd64"/>)",
             "<description>Control what are valid and invalid for Outlook</description>",
             R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="amd64" publicKeyToken="6595b64144ccf1df" language="*")",
             "PerMonitorV2", "true/pm"}) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
    using Images = std::vector<std::pair<int, int>>;
    EXPECT_EQ(Icon(IDI_SARVELL), (Images{{16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}}));
    EXPECT_EQ(Icon(IDI_BANNER), (Images{{32, 4}, {16, 4}, {48, 4}}));  // 16 colours
    EXPECT_EQ(Icon(IDI_PICTURE).front(), std::make_pair(32, 24));
    EXPECT_EQ(Icon(IDI_PRODUCT).front(), std::make_pair(96, 32));
    const Images about = Icon(IDI_ABOUT);  // 16 to 128 pixels, at 16 and 256 colours and at 32-bit colour
    EXPECT_EQ(about.size(), 15u);
    EXPECT_EQ(about.back(), std::make_pair(128, 32));
}

}  // namespace
}  // namespace sarvell::test
