// What Windows and the shell read from Sarvell.exe: its version block,
// manifest and icon directories (each image's size and colour depth), each
// a fixed text pinned by a digest.
#include <gtest/gtest.h>

#include <windows.h>

#include "infowin/resource_ids.h"
#include "tests/app/app_support.h"

namespace sarvell::test {
namespace {

TEST(Resources, VersionBlockManifestAndIcons) {
    HMODULE module = LoadLibraryExW(SarvellExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    const auto resource = [module](const wchar_t* type, int id) {
        HRSRC r = FindResourceW(module, MAKEINTRESOURCEW(id), type);
        return r ? std::string(static_cast<const char*>(LockResource(LoadResource(module, r))), SizeofResource(module, r))
                 : std::string();
    };
    EXPECT_EQ(Digest(resource(RT_VERSION, VS_VERSION_INFO)), 0x9eb1867e51429777u);
    EXPECT_EQ(Digest(resource(RT_MANIFEST, 1)), sizeof(void*) == 8 ? 0xbe94208065814627u : 0x25f41561b70123cfu);  // amd64, X86
    std::string icons;
    for (int id = IDI_SARVELL; id <= IDI_ABOUT; ++id) icons += resource(RT_GROUP_ICON, id);
    EXPECT_EQ(Digest(icons), 0xe8633ad99f3aa870u);
    FreeLibrary(module);
}

}  // namespace
}  // namespace sarvell::test
