// What Windows and the shell read from Sarvell.exe: its version block,
// manifest and icons.
#include <gtest/gtest.h>

#include <windows.h>

#include "infowin/resource_ids.h"
#include "tests/app/app_support.h"
#include "tests/support/digest.h"

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

// The version block and the manifest are fixed texts: a digest of each pins
// every field. The icons are listed by size and colour depth.
TEST_F(Resources, VersionBlockManifestAndIcons) {
    EXPECT_EQ(Digest(Resource(RT_VERSION, VS_VERSION_INFO)), 0x9eb1867e51429777u);
    EXPECT_EQ(Digest(Resource(RT_MANIFEST, 1)), sizeof(void*) == 8 ? 0xbe94208065814627u : 0x25f41561b70123cfu);  // amd64, X86
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
