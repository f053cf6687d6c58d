// The platform semantics cRegistry relies on. The same tests run over the
// memory store and, under Wine, over advapi32: where they disagree, the
// store is wrong.
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
    Status Open(Handle root, const std::string& path, std::uint32_t access = kKeyQueryValue) {
        return P().OpenKey(root, path, access, key_->put());
    }
    Status Create(Handle root, const std::string& path) {
        return P().CreateKey(root, path, kKeySpecificRights, key_->put());
    }
    std::optional<KeyHandle> key_;
    const Handle hkcu_ = RootHandle(HKeyCurrentUser), hkcr_ = RootHandle(HKeyClassesRoot);
};
SARVELL_BACKEND_TESTS(Conformance);

TEST_P(Conformance, KeyPathsAndTheirStatuses) {
    const std::string cls = ClassesKey(), k256(256, 'k'), k257(257, 'k');
    ASSERT_EQ(Create(hkcu_, Path("a\\b\\c")), status::Success);  // every missing level
    ASSERT_EQ(Create(hkcr_, cls + "\\CurVer"), status::Success);
    struct Case {
        Handle root;
        std::string path;
        bool create;
        Status expected;
    };
    const Case cases[] = {
        {hkcu_, Path("a\\b\\c"), true, status::Success},  // an existing key opens
        {hkcu_, Path("missing"), false, status::FileNotFound},
        {hkcu_, Path("a\\\\b\\c\\"), false, status::Success},  // empty levels and a trailing backslash
        {hkcu_, "", false, status::Success},
        {0, "Software", false, status::InvalidHandle},
        {0, "Software", true, status::InvalidHandle},
        // One leading backslash is accepted only when opening below HKEY_CLASSES_ROOT.
        {hkcu_, "\\" + Path("a"), false, status::BadPathname},
        {hkcu_, "\\" + Path("y"), true, status::BadPathname},
        {hkcr_, "\\" + cls + "\\CurVer", false, status::Success},
        {hkcr_, "\\\\" + cls + "\\CurVer", false, status::BadPathname},
        {hkcr_, "\\" + cls + "\\Missing", false, status::FileNotFound},
        {hkcr_, "\\" + cls + "\\Other", true, status::BadPathname},
        {hkcu_, Path(k256), true, status::Success},
        {hkcu_, Path(k257), true, status::InvalidParameter},
        {hkcu_, Path(k257), false, status::InvalidParameter},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.create ? Create(c.root, c.path) : Open(c.root, c.path), c.expected) << c.path << " " << c.create;
    }
}

TEST_P(Conformance, NamesCompareWithoutCaseAndKeepTheirCase) {
    const std::pair<const char*, const char*> same[] = {
        {"MiXed", "mixed"},          {"\xC3\x84rger", "\xC3\xA4RGER"}, {"\xC4\x8C", "\xC4\x8D"},  // Ärger, Č č
        {"\xC3\xBF", "\xC5\xB8"},    {"\xCE\xA3", "\xCF\x83"},         {"\xE1\x82\xA0", "\xE2\xB4\x80"},
        {"\xEF\xBC\xA1", "\xEF\xBD\x81"}, {"\xC7\x84", "\xC7\x86"},    // ÿ Ÿ, Σ σ, Ⴀ ⴀ, Ａ ａ, Ǆ ǆ
    };
    const std::pair<const char*, const char*> apart[] = {
        {"\xC3\xBF", "\xC3\x9F"}, {"\xC3\xB7", "\xC3\x97"}, {"K", "\xE2\x84\xAA"}, {"\xC3\x9F", "\xE1\xBA\x9E"},
        {"\xCE\xA3", "\xCF\x82"}, {"\xC4\xB0", "i"},          {"\xC7\x85", "\xC7\x86"},  // ÿ ß, ÷ ×, K Kelvin, ß ẞ, Σ ς, İ i, ǅ ǆ
    };
    for (const auto& [made, asked] : same) {
        ASSERT_EQ(Create(hkcu_, Path(made)), status::Success);
        EXPECT_EQ(Open(hkcu_, Path(asked)), status::Success) << made << " " << asked;
        SetRaw(P(), HKeyCurrentUser, Path(), made, kRegSz, Sz("x"));
        EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path(), asked)) << made << " " << asked;
    }
    for (const auto& [made, asked] : apart) {
        DeleteTree(P(), HKeyCurrentUser, Path());
        ASSERT_EQ(Create(hkcu_, Path(made)), status::Success);
        EXPECT_EQ(Open(hkcu_, Path(asked)), status::FileNotFound) << made << " " << asked;
    }
    // Writing through another spelling changes the data, not the stored name.
    SetRaw(P(), HKeyCurrentUser, Path("k"), "Level1Remove", kRegSz, Sz(".exe"));
    SetRaw(P(), HKeyCurrentUser, Path("K"), "LEVEL1REMOVE", kRegSz, Sz(".bat"));
    std::string name;
    ASSERT_EQ(Open(hkcu_, Path("k")), status::Success);
    EXPECT_EQ(P().EnumValue(key_->get(), 0, 100, name), status::Success);
    EXPECT_EQ(name, "Level1Remove");
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("k"), "level1remove")->data, Sz(".bat"));
}

TEST_P(Conformance, ValuesTheirSizesAndTheirDeletion) {
    SetRaw(P(), HKeyCurrentUser, Path(), "", kRegSz, Sz("default"));  // the default value has the empty name
    SetRaw(P(), HKeyCurrentUser, Path(), "abc", kRegSz, Sz("abc"));
    SetRaw(P(), HKeyCurrentUser, Path(), "nothing", kRegBinary, {});
    ASSERT_EQ(Open(hkcu_, Path(), kKeySpecificRights), status::Success);
    std::uint32_t type = 99, size = 0;
    std::uint8_t buffer[4] = {7, 7, 7, 7};
    EXPECT_EQ(P().QueryValue(key_->get(), "abc", type, nullptr, size), status::Success);  // no buffer: the size
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, static_cast<std::uint32_t>(kRegSz));
    size = 3;  // too small: MoreData with the size, the buffer untouched
    EXPECT_EQ(P().QueryValue(key_->get(), "abc", type, buffer, size), status::MoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 7);
    size = 4;
    EXPECT_EQ(P().QueryValue(key_->get(), "nothing", type, buffer, size), status::Success);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, static_cast<std::uint32_t>(kRegBinary));
    EXPECT_EQ(P().QueryValue(key_->get(), "missing", type, buffer, size), status::FileNotFound);
    EXPECT_EQ(P().DeleteValue(key_->get(), "ABC"), status::Success);
    EXPECT_EQ(P().DeleteValue(key_->get(), "abc"), status::FileNotFound);
    EXPECT_EQ(P().DeleteValue(key_->get(), ""), status::Success);
    EXPECT_FALSE(GetRaw(P(), HKeyCurrentUser, Path(), ""));
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path(), "nothing"));
}

TEST_P(Conformance, DeletingKeys) {
    SetRaw(P(), HKeyCurrentUser, Path("parent\\child"), "v", kRegSz, Sz("x"));
    EXPECT_EQ(P().DeleteKey(hkcu_, Path("parent")), status::AccessDenied);  // it has a sub-key
    EXPECT_EQ(P().DeleteKey(hkcu_, Path("nothing")), status::FileNotFound);
    EXPECT_EQ(P().DeleteKey(hkcu_, Path("parent\\child")), status::Success);  // values do not hold it
    EXPECT_EQ(Open(hkcu_, Path("parent\\child")), status::FileNotFound);
    EXPECT_EQ(P().DeleteKey(hkcu_, Path("parent\\")), status::Success);
    EXPECT_EQ(P().DeleteKey(0, "x"), status::InvalidHandle);
}

TEST_P(Conformance, DataAndNamesKeepEveryCharacter) {
    // Non-ASCII letters, a character outside the BMP, embedded zeros and no
    // terminating zero all survive a round trip; names end at a zero.
    const std::string text("\xC3\xA4.\xE2\x82\xAC;\xF0\x9F\x98\x80\0x\0\0", 14);
    SetRaw(P(), HKeyCurrentUser, Path(), "multi", kRegMultiSz, Data(text));
    SetRaw(P(), HKeyCurrentUser, Path(), "open", kRegSz, Data("abc"));
    SetRaw(P(), HKeyCurrentUser, Path(), std::string("cut\0off", 7), kRegSz, Sz("y"));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(), "multi")->data, Data(text));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(), "open")->data, Data("abc"));
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path(), "cut"));
    ASSERT_EQ(Create(hkcu_, Path()), status::Success);
    const std::uint8_t one[4] = {1, 0, 0, 0};
    EXPECT_EQ(P().SetValue(key_->get(), std::string(16383, 'n'), kRegDword, one, 4), status::Success);
    EXPECT_EQ(P().SetValue(key_->get(), std::string(16384, 'n'), kRegDword, one, 4), status::InvalidParameter);
    Bytes big(1 << 20);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
    SetRaw(P(), HKeyCurrentUser, Path(), "big", kRegBinary, big);
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(), "big")->data, big);
}

TEST_P(Conformance, Enumeration) {
    SetRaw(P(), HKeyCurrentUser, Path("k\\" + std::string(255, 'L')), "", kRegSz, Sz("x"));
    SetRaw(P(), HKeyCurrentUser, Path("k\\short"), "", kRegSz, Sz("x"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "", kRegSz, Sz("default"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "bb", kRegSz, Sz("x"));
    ASSERT_EQ(Open(hkcu_, Path("k"), kKeyQueryValue | kKeyEnumerateSubKeys), status::Success);
    KeyInfo info;
    ASSERT_EQ(P().QueryInfoKey(key_->get(), info), status::Success);
    EXPECT_EQ(info.subKeys, 2u);
    EXPECT_EQ(info.values, 2u);
    EXPECT_EQ(info.maxValueNameLen, 2u);
    EXPECT_EQ(info.maxSubKeyLen, 255u);
    std::vector<Status> keys;
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t i = 0; i < 3; ++i) keys.push_back(P().EnumKey(key_->get(), i, 255, name));
    std::sort(keys.begin(), keys.end());  // the 255-character name does not fit 254 and a zero
    EXPECT_EQ(keys, (std::vector<Status>{status::Success, status::MoreData, status::NoMoreItems}));
    for (std::uint32_t i = 0; P().EnumValue(key_->get(), i, 3, name) == status::Success; ++i) names.push_back(name);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"", "bb"}));
    // Two characters of room hold the empty name but not "bb".
    EXPECT_NE(P().EnumValue(key_->get(), 0, 2, name) == status::MoreData,
              P().EnumValue(key_->get(), 1, 2, name) == status::MoreData);
}

TEST_P(Conformance, EnvironmentExpansion) {
    SetEnv("SARVELL_CONF", "val");
    const std::pair<std::string, const char*> cases[] = {
        {"a%SARVELL_CONF%b%sarvell_conf%%", "avalbval%"},
        {"x%SARVELL_NOPE%SARVELL_CONF%", "x%SARVELL_NOPE%SARVELL_CONF%"},  // an unknown name keeps both signs
        {"%%SARVELL_CONF%", "%%SARVELL_CONF%"},
        {"%%%SARVELL_CONF%%%", "%%val%%"},
        {"%SARVELL_CONF", "%SARVELL_CONF"},
        {"", ""},
        {std::string("%SARVELL_CONF%\0%SARVELL_CONF%", 29), "val"},  // up to the first zero
    };
    for (const auto& [text, expanded] : cases) EXPECT_EQ(P().ExpandEnvironment(text), expanded) << text;
}

TEST_P(Conformance, ThisComputerConnectsToThePredefinedRootItself) {
    const std::string cls = ClassesKey();
    SetRaw(P(), HKeyClassesRoot, cls + "\\CurVer", "", kRegSz, Sz("x"));
    KeyHandle remote(P());
    ASSERT_EQ(P().ConnectRegistry("\\\\" + MemoryStore::LocalComputerName(), hkcr_, remote.put()), status::Success);
    EXPECT_EQ(Open(remote.get(), "\\" + cls + "\\CurVer"), status::Success);
    // The reserved "invalid" domain never answers; Wine says so without traffic.
    EXPECT_EQ(P().ConnectRegistry("\\\\sarvell.invalid", hkcu_, remote.put()), status::BadNetPath);
    EXPECT_EQ(remote.get(), 0);
}

}  // namespace
}  // namespace sarvell::test
