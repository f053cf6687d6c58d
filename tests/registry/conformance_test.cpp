// The platform semantics cRegistry relies on. The same tests run over the
// memory store and, under Wine, over advapi32: where they disagree, the
// store is wrong.
#include <algorithm>
#include <cstdlib>

#include "registry/memory_store.h"
#include "tests/support/backends.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace sarvell::test {
namespace {

using namespace registry;

class Conformance : public BackendTest {
protected:
    Status Open(std::int32_t root, const std::string& path, KeyHandle& key) {
        return P().OpenKey(RootHandle(root), path, kKeyQueryValue, key.put());
    }
    Status Create(std::int32_t root, const std::string& path, KeyHandle& key) {
        return P().CreateKey(RootHandle(root), path, kKeySpecificRights, key.put());
    }
};
SARVELL_BACKEND_TESTS(Conformance);

TEST_P(Conformance, OpeningAndCreatingKeys) {
    KeyHandle key(P());
    EXPECT_EQ(Open(HKeyCurrentUser, Path("a"), key), status::FileNotFound);
    EXPECT_EQ(key.get(), 0);
    // Every missing level is created; existing keys are opened.
    EXPECT_EQ(Create(HKeyCurrentUser, Path("a\\b\\c"), key), status::Success);
    EXPECT_NE(key.get(), 0);
    EXPECT_EQ(Create(HKeyCurrentUser, Path("a\\b\\c"), key), status::Success);
    EXPECT_EQ(Open(HKeyCurrentUser, Path("a\\b"), key), status::Success);
    // Empty levels and a trailing backslash are ignored; an empty path is the root.
    EXPECT_EQ(Open(HKeyCurrentUser, Path("a\\\\b\\c\\"), key), status::Success);
    EXPECT_EQ(Open(HKeyCurrentUser, "", key), status::Success);
    // Root 0 is no key at all.
    EXPECT_EQ(Open(0, "Software", key), status::InvalidHandle);
    EXPECT_EQ(Create(0, "Software", key), status::InvalidHandle);
}

TEST_P(Conformance, NamesCompareWithoutCaseAndKeepTheirCase) {
    KeyHandle key(P());
    ASSERT_EQ(Create(HKeyCurrentUser, Path("MiXed\\\xC3\x84rger"), key), status::Success);  // "Ärger"
    EXPECT_EQ(Open(HKeyCurrentUser, Path("mixed\\\xC3\xA4RGER"), key), status::Success);    // "äRGER"
    SetRaw(P(), HKeyCurrentUser, Path("mixed"), "Level1Remove", kRegSz, Sz(".exe"));
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path("MIXED"), "LEVEL1REMOVE"));
    // Writing through another spelling changes the data, not the stored name.
    SetRaw(P(), HKeyCurrentUser, Path("mixed"), "level1remove", kRegSz, Sz(".bat"));
    KeyHandle parent(P());
    ASSERT_EQ(P().OpenKey(RootHandle(HKeyCurrentUser), Path(), kKeyEnumerateSubKeys, parent.put()), status::Success);
    std::string name;
    ASSERT_EQ(P().EnumKey(parent.get(), 0, 255, name), status::Success);
    EXPECT_EQ(name, "MiXed");
    KeyHandle mixed(P());
    ASSERT_EQ(Open(HKeyCurrentUser, Path("mixed"), mixed), status::Success);
    ASSERT_EQ(P().EnumValue(mixed.get(), 0, 100, name), status::Success);
    EXPECT_EQ(name, "Level1Remove");
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("mixed"), "Level1Remove")->data, Sz(".bat"));
}

TEST_P(Conformance, TheDefaultValueHasTheEmptyName) {
    EXPECT_FALSE(GetRaw(P(), HKeyCurrentUser, Path(), ""));
    SetRaw(P(), HKeyCurrentUser, Path(), "", kRegSz, Sz("Outlook.Application.11"));
    const auto v = GetRaw(P(), HKeyCurrentUser, Path(), "");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, static_cast<std::uint32_t>(kRegSz));
    EXPECT_EQ(v->data, Sz("Outlook.Application.11"));
    KeyHandle key(P());
    ASSERT_EQ(P().OpenKey(RootHandle(HKeyCurrentUser), Path(), kKeySpecificRights, key.put()), status::Success);
    EXPECT_EQ(P().DeleteValue(key.get(), ""), status::Success);
    EXPECT_EQ(P().DeleteValue(key.get(), ""), status::FileNotFound);
}

TEST_P(Conformance, SizeQueries) {
    SetRaw(P(), HKeyCurrentUser, Path(), "abc", kRegSz, Sz("abc"));
    SetRaw(P(), HKeyCurrentUser, Path(), "nothing", kRegBinary, {});
    KeyHandle key(P());
    ASSERT_EQ(Open(HKeyCurrentUser, Path(), key), status::Success);
    std::uint32_t type = 99;
    std::uint32_t size = 0;
    // No buffer: success with the size.
    EXPECT_EQ(P().QueryValue(key.get(), "abc", type, nullptr, size), status::Success);
    EXPECT_EQ(type, static_cast<std::uint32_t>(kRegSz));
    EXPECT_EQ(size, 4u);
    // A buffer too small: MoreData with the size, the buffer untouched.
    std::uint8_t buffer[4] = {7, 7, 7, 7};
    size = 0;
    EXPECT_EQ(P().QueryValue(key.get(), "abc", type, buffer, size), status::MoreData);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[0], 7);
    size = 4;
    EXPECT_EQ(P().QueryValue(key.get(), "abc", type, buffer, size), status::Success);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 4), std::string("abc", 4));
    // A value with no data answers 0 and size 0.
    size = 0;
    EXPECT_EQ(P().QueryValue(key.get(), "nothing", type, buffer, size), status::Success);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(type, static_cast<std::uint32_t>(kRegBinary));
    EXPECT_EQ(P().QueryValue(key.get(), "missing", type, buffer, size), status::FileNotFound);
}

TEST_P(Conformance, LeadingBackslashIsAcceptedOnlyWhenOpeningBelowClassesRoot) {
    KeyHandle key(P());
    ASSERT_EQ(Create(HKeyCurrentUser, Path("x"), key), status::Success);
    EXPECT_EQ(Open(HKeyCurrentUser, "\\" + Path("x"), key), status::BadPathname);
    EXPECT_EQ(Create(HKeyCurrentUser, "\\" + Path("y"), key), status::BadPathname);

    const std::string cls = ClassesKey();
    ASSERT_EQ(Create(HKeyClassesRoot, cls + "\\CurVer", key), status::Success);
    EXPECT_EQ(Open(HKeyClassesRoot, "\\" + cls + "\\CurVer", key), status::Success);
    EXPECT_EQ(Open(HKeyClassesRoot, "\\\\" + cls + "\\CurVer", key), status::BadPathname);
    EXPECT_EQ(Open(HKeyClassesRoot, "\\" + cls + "\\Missing", key), status::FileNotFound);
    EXPECT_EQ(Create(HKeyClassesRoot, "\\" + cls + "\\Other", key), status::BadPathname);
    EXPECT_EQ(P().DeleteKey(RootHandle(HKeyClassesRoot), "\\" + cls + "\\CurVer"), status::BadPathname);
}

TEST_P(Conformance, DeletingKeys) {
    KeyHandle key(P());
    ASSERT_EQ(Create(HKeyCurrentUser, Path("parent\\child"), key), status::Success);
    key.reset();
    SetRaw(P(), HKeyCurrentUser, Path("parent\\child"), "v", kRegSz, Sz("x"));
    // A key with sub-keys stays; a missing one answers 2; values do not block.
    EXPECT_EQ(P().DeleteKey(RootHandle(HKeyCurrentUser), Path("parent")), status::AccessDenied);
    EXPECT_EQ(P().DeleteKey(RootHandle(HKeyCurrentUser), Path("nothing")), status::FileNotFound);
    EXPECT_EQ(P().DeleteKey(RootHandle(HKeyCurrentUser), Path("parent\\child")), status::Success);
    EXPECT_FALSE(KeyPresent(P(), HKeyCurrentUser, Path("parent\\child")));
    EXPECT_EQ(P().DeleteKey(RootHandle(HKeyCurrentUser), Path("parent\\")), status::Success);
    EXPECT_EQ(P().DeleteKey(0, "x"), status::InvalidHandle);
}

TEST_P(Conformance, DeletingValues) {
    SetRaw(P(), HKeyCurrentUser, Path(), "v", kRegSz, Sz("x"));
    KeyHandle key(P());
    ASSERT_EQ(P().OpenKey(RootHandle(HKeyCurrentUser), Path(), kKeySpecificRights, key.put()), status::Success);
    EXPECT_EQ(P().DeleteValue(key.get(), "missing"), status::FileNotFound);
    EXPECT_EQ(P().DeleteValue(key.get(), "V"), status::Success);
    EXPECT_FALSE(GetRaw(P(), HKeyCurrentUser, Path(), "v"));
}

TEST_P(Conformance, StringDataKeepsEveryCharacter) {
    // Non-ASCII letters, a character outside the BMP, embedded zeros and no
    // terminating zero all survive a round trip.
    const std::string text("\xC3\xA4.\xE2\x82\xAC;\xF0\x9F\x98\x80\0x\0\0", 14);
    SetRaw(P(), HKeyCurrentUser, Path(), "multi", kRegMultiSz, Data(text));
    SetRaw(P(), HKeyCurrentUser, Path(), "open", kRegSz, Data("abc"));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(), "multi")->data, Data(text));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(), "open")->data, Data("abc"));
    // Names end at their first zero character.
    SetRaw(P(), HKeyCurrentUser, Path(), std::string("cut\0off", 7), kRegSz, Sz("y"));
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path(), "cut"));
}

TEST_P(Conformance, NameLimitsAndLargeData) {
    KeyHandle key(P());
    EXPECT_EQ(Create(HKeyCurrentUser, Path(std::string(256, 'k')), key), status::Success);
    EXPECT_EQ(Create(HKeyCurrentUser, Path(std::string(257, 'k')), key), status::InvalidParameter);
    EXPECT_EQ(Open(HKeyCurrentUser, Path(std::string(257, 'k')), key), status::InvalidParameter);
    ASSERT_EQ(Create(HKeyCurrentUser, Path(), key), status::Success);
    const std::uint8_t one[4] = {1, 0, 0, 0};
    EXPECT_EQ(P().SetValue(key.get(), std::string(16383, 'n'), kRegDword, one, 4), status::Success);
    EXPECT_EQ(P().SetValue(key.get(), std::string(16384, 'n'), kRegDword, one, 4), status::InvalidParameter);
    std::vector<std::uint8_t> big(1 << 20);
    for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
    SetRaw(P(), HKeyCurrentUser, Path(), "big", kRegBinary, big);
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path(), "big")->data, big);
}

TEST_P(Conformance, Enumeration) {
    KeyHandle key(P());
    ASSERT_EQ(Create(HKeyCurrentUser, Path("k\\" + std::string(255, 'L')), key), status::Success);
    ASSERT_EQ(Create(HKeyCurrentUser, Path("k\\short"), key), status::Success);
    SetRaw(P(), HKeyCurrentUser, Path("k"), "", kRegSz, Sz("default"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "bb", kRegSz, Sz("x"));
    ASSERT_EQ(P().OpenKey(RootHandle(HKeyCurrentUser), Path("k"), kKeyQueryValue | kKeyEnumerateSubKeys, key.put()),
              status::Success);
    KeyInfo info;
    ASSERT_EQ(P().QueryInfoKey(key.get(), info), status::Success);
    EXPECT_EQ(info.subKeys, 2u);
    EXPECT_EQ(info.values, 2u);
    EXPECT_EQ(info.maxValueNameLen, 2u);
    EXPECT_EQ(info.maxSubKeyLen, 255u);
    std::vector<std::string> keys;
    std::string name;
    Status s = status::Success;
    std::uint32_t i = 0;
    for (; (s = P().EnumKey(key.get(), i, 255, name)) != status::NoMoreItems && i < 10; ++i) {
        if (s == status::Success) keys.push_back(name);
        else EXPECT_EQ(s, status::MoreData);  // the 255-character name does not fit 254 + zero
    }
    EXPECT_EQ(i, 2u);
    EXPECT_EQ(keys, std::vector<std::string>{"short"});
    std::vector<std::string> values;
    for (i = 0; P().EnumValue(key.get(), i, 3, name) == status::Success; ++i) values.push_back(name);
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"", "bb"}));
    // Two characters of room hold the empty name but not "bb".
    EXPECT_TRUE(P().EnumValue(key.get(), 0, 2, name) == status::MoreData ||
                P().EnumValue(key.get(), 1, 2, name) == status::MoreData);
}

TEST_P(Conformance, EnvironmentExpansion) {
#ifdef _WIN32
    SetEnvironmentVariableW(L"SARVELL_CONF", L"val");
#else
    setenv("SARVELL_CONF", "val", 1);
#endif
    EXPECT_EQ(P().ExpandEnvironment("a%SARVELL_CONF%b%SARVELL_NOPE%c%sarvell_conf%%"),
              std::optional<std::string>("avalb%SARVELL_NOPE%cval%"));
    EXPECT_EQ(P().ExpandEnvironment("%%"), std::optional<std::string>("%%"));
    EXPECT_EQ(P().ExpandEnvironment(""), std::optional<std::string>(""));
    EXPECT_EQ(P().ExpandEnvironment(std::string("%SARVELL_CONF%\0%SARVELL_CONF%", 29)),
              std::optional<std::string>("val"));
}

TEST_P(Conformance, RemoteConnection) {
    SetRaw(P(), HKeyCurrentUser, Path(), "v", kRegSz, Sz("here"));
    KeyHandle remote(P());
    // This computer's own name connects to the local registry.
    ASSERT_EQ(P().ConnectRegistry("\\\\" + MemoryStore::LocalComputerName(), RootHandle(HKeyCurrentUser),
                                  remote.put()),
              status::Success);
    KeyHandle key(P());
    EXPECT_EQ(P().OpenKey(remote.get(), Path(), kKeyQueryValue, key.put()), status::Success);
    // The reserved "invalid" domain never answers; Wine says so without traffic.
    EXPECT_EQ(P().ConnectRegistry("\\\\sarvell.invalid", RootHandle(HKeyCurrentUser), remote.put()),
              status::BadNetPath);
    EXPECT_EQ(remote.get(), 0);
}

}  // namespace
}  // namespace sarvell::test
