// The platform semantics cRegistry relies on that its own tests do not
// reach. The same tests run over the memory store and, under Wine, over
// advapi32: where they disagree, the store is wrong.
#include <algorithm>

#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace registry;

class Conformance : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        key_.emplace(P());
    }
    void TearDown() override {
        key_.reset();
        BackendTest::TearDown();
    }
    Status Open(Handle root, const std::string& path, std::uint32_t access = kKeySpecificRights) {
        return P().OpenKey(root, path, access, key_->put());
    }
    Status Create(Handle root, const std::string& path) { return P().CreateKey(root, path, kKeySpecificRights, key_->put()); }
    std::optional<KeyHandle> key_;
    const Handle hkcu_ = RootHandle(HKeyCurrentUser), hkcr_ = RootHandle(HKeyClassesRoot);
};
SARVELL_BACKEND_TESTS(Conformance);

TEST_P(Conformance, KeyPathsNamesAndTheirLimits) {
    EXPECT_EQ(Create(hkcu_, Path(std::string(256, 'k'))), status::Success);  // a level's name: at most 256 characters
    EXPECT_EQ(Create(hkcu_, Path(std::string(257, 'k'))), status::InvalidParameter);
    ASSERT_EQ(Create(hkcu_, Path("a\\b\\c")), status::Success);  // a handle outlives its key, which answers so
    ASSERT_EQ(P().DeleteKey(hkcu_, Path("a\\b\\c")), status::Success);
    std::uint32_t type = 0, size = 0;
    EXPECT_EQ(P().QueryValue(key_->get(), "", type, nullptr, size), status::KeyDeleted);
    Handle raw = 0;  // a handle closes once
    ASSERT_EQ(P().OpenKey(hkcu_, Path(), kKeyQueryValue, raw), status::Success);
    EXPECT_EQ((std::vector<Status>{P().CloseKey(raw), P().CloseKey(raw)}), (std::vector<Status>{0, status::InvalidHandle}));
    ASSERT_EQ(Open(hkcu_, Path()), status::Success);
    const std::uint8_t one[4] = {1, 0, 0, 0};
    EXPECT_EQ(P().SetValue(key_->get(), std::string(16383, 'n'), kRegDword, one, 4), status::Success);
    EXPECT_EQ(P().SetValue(key_->get(), std::string(16384, 'n'), kRegDword, one, 4), status::InvalidParameter);
    SetRaw(P(), HKeyCurrentUser, Path(), std::string("cut\0off", 7), kRegSz, Sz("y"));  // names end at a zero
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path(), "cut"));
}

TEST_P(Conformance, NamesCompareWithoutCaseAndKeepTheirCase) {
    const std::tuple<const char*, const char*, bool> pairs[] = {
        {"\xC4\x8C", "\xC4\x8D", true}, {"\xC3\xBF", "\xC5\xB8", true}, {"\xC3\xBF", "\xC3\x9F", false},  // Č č, ÿ Ÿ, ÿ ß
    };
    for (const auto& [made, asked, same] : pairs) {
        DeleteTree(P(), HKeyCurrentUser, Path());
        SetRaw(P(), HKeyCurrentUser, Path(made), made, kRegSz, Sz("x"));
        EXPECT_EQ(Open(hkcu_, Path(asked)) == status::Success, same) << made << " " << asked;
        EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(made), asked).has_value(), same) << made << " " << asked;
    }
    // Writing through another spelling changes the data, not the stored name.
    SetRaw(P(), HKeyCurrentUser, Path("K"), "LEVEL1REMOVE", kRegSz, Sz(".bat"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "Level1Remove", kRegSz, Sz(".exe"));
    std::string name;
    ASSERT_EQ(Open(hkcu_, Path("k")), status::Success);
    EXPECT_EQ(P().EnumValue(key_->get(), 0, 100, name), status::Success);
    EXPECT_EQ(name, "LEVEL1REMOVE");
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("k"), "level1remove")->data, Sz(".exe"));
}

// An unknown name keeps both its signs, and the second does not open another name.
TEST_P(Conformance, EnvironmentExpansionLeavesUnknownNamesAsTheyStand) {
    SetEnv("SARVELL_CONF", "val");
    const std::pair<const char*, const char*> cases[] = {
        {"x%SARVELL_NOPE%SARVELL_CONF%", "x%SARVELL_NOPE%SARVELL_CONF%"}, {"%%SARVELL_CONF%", "%%SARVELL_CONF%"},
        {"a%SARVELL_CONF%b%sarvell_conf%%", "avalbval%"},
    };
    for (const auto& [text, expanded] : cases) EXPECT_EQ(P().ExpandEnvironment(text), expanded) << text;
}

TEST_P(Conformance, ThisComputerConnectsToThePredefinedRootItself) {
    const std::string cls = ClassesKey();
    SetRaw(P(), HKeyClassesRoot, cls + "\\CurVer", "", kRegSz, Sz("x"));
    KeyHandle remote(P());
    ASSERT_NE(MemoryStore::LocalComputerName(), "");
    ASSERT_EQ(P().ConnectRegistry("\\\\" + MemoryStore::LocalComputerName(), hkcr_, remote.put()), status::Success);
    EXPECT_EQ(Open(remote.get(), "\\" + cls + "\\CurVer"), status::Success);
    // The reserved "invalid" domain never answers; Wine says so without traffic.
    EXPECT_EQ(P().ConnectRegistry("\\\\sarvell.invalid", hkcu_, remote.put()), status::BadNetPath);
    EXPECT_EQ(remote.get(), 0);
}

}  // namespace
}  // namespace sarvell::test
