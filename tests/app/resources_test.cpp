// What Windows and the shell read from Sarvell.exe: its version block,
// manifest and icons.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/resource_ids.h"
#include "tests/app/app_support.h"
#include "ui/text.h"

namespace sarvell::test {
namespace {

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(SarvellExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string Resource(const wchar_t* type, int id) {
        HRSRC r = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (r == nullptr) return {};
        const char* data = static_cast<const char*>(LockResource(LoadResource(module_, r)));
        return std::string(data, SizeofResource(module_, r));
    }

    HMODULE module_ = nullptr;
};

TEST_F(Resources, VersionBlockNamesTheProgram) {
    const std::wstring exe = SarvellExe();
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &size));
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1200);

    const std::pair<const wchar_t*, const char*> entries[] = {
        {L"FileDescription", "Sarvell"}, {L"ProductName", "Sarvell"},         {L"CompanyName", "Dunmere"},
        {L"InternalName", "Sarvell"},    {L"OriginalFilename", "Sarvell.exe"}, {L"FileVersion", "1.0.0.0"},
        {L"ProductVersion", "1.0.0.0"},
    };
    for (const auto& [name, value] : entries) {
        wchar_t* text = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &size))
            << ui::Narrow(name);
        EXPECT_EQ(ui::Narrow(text), value) << ui::Narrow(name);
    }
}

TEST_F(Resources, ManifestAsksForCommonControls6AndPerMonitorDpi) {
    const std::string manifest = Resource(RT_MANIFEST, 1);
    for (const char* part : {
             R"(<assemblyIdentity type="win32" name="Dunmere.Sarvell.Sarvell" version="1.0.0.0" processorArchitecture="amd64"/>)",
             "<description>Control what are valid and invalid for Outlook</description>",
             R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0" processorArchitecture="amd64" publicKeyToken="6595b64144ccf1df" language="*")",
             "PerMonitorV2",
             "true/pm",
         }) {
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::vector<std::pair<int, int>> IconImages(const std::string& group) {
    std::vector<std::pair<int, int>> images;  // size, bits per pixel
    if (group.size() < 6) return images;
    const WORD count = *reinterpret_cast<const WORD*>(group.data() + 4);
    for (WORD i = 0; i < count && 6 + (i + 1) * sizeof(GroupIconEntry) <= group.size(); ++i) {
        GroupIconEntry e{};
        memcpy(&e, group.data() + 6 + i * sizeof e, sizeof e);
        images.emplace_back(e.width == 0 ? 256 : e.width, e.bitCount);
    }
    return images;
}

TEST_F(Resources, IconsHaveTheirSizesAndColourDepths) {
    const std::vector<std::pair<int, int>> icon = IconImages(Resource(RT_GROUP_ICON, IDI_SARVELL));
    const std::vector<std::pair<int, int>> expected = {{16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}};
    EXPECT_EQ(icon, expected);
    const std::vector<std::pair<int, int>> picture = IconImages(Resource(RT_GROUP_ICON, IDI_PICTURE));
    ASSERT_FALSE(picture.empty());
    EXPECT_EQ(picture.front(), std::make_pair(32, 24));
    const std::vector<std::pair<int, int>> banner = IconImages(Resource(RT_GROUP_ICON, IDI_BANNER));
    EXPECT_EQ(banner, (std::vector<std::pair<int, int>>{{32, 4}, {16, 4}, {48, 4}}));  // 16 colours
    const std::vector<std::pair<int, int>> product = IconImages(Resource(RT_GROUP_ICON, IDI_PRODUCT));
    ASSERT_FALSE(product.empty());
    EXPECT_EQ(product.front(), std::make_pair(96, 32));
    const std::vector<std::pair<int, int>> about = IconImages(Resource(RT_GROUP_ICON, IDI_ABOUT));
    EXPECT_EQ(about.size(), 15u);  // 16 to 128 pixels, at 16 and 256 colours and at 32-bit colour
    EXPECT_EQ(about.back(), std::make_pair(128, 32));
}

}  // namespace
}  // namespace sarvell::test
