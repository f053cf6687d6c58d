// Key and value enumeration, and the file-type association helpers.
#include "registry/cRegistry.h"

#include <algorithm>

#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace registry;
using V = std::vector<std::string>;

class RegistryEnumeration : public BackendTest {};
SARVELL_BACKEND_TESTS(RegistryEnumeration);

TEST_P(RegistryEnumeration, ListsValueNamesAndSubKeysAndEmptiesFirst) {
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(Path("k"));
    V names{"stale"};
    std::int32_t count = 9;
    EXPECT_TRUE(reg.EnumerateValues(names, count));  // missing key
    EXPECT_EQ(count, 0);
    EXPECT_EQ(names, V{});
    names = {"stale"};
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(names, V{});
    reg.CreateKey();
    EXPECT_TRUE(reg.EnumerateValues(names, count));  // no values
    EXPECT_EQ(count, 0);
    SetRaw(P(), HKeyCurrentUser, Path("k"), "a", kRegSz, Sz("1"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "bb", kRegSz, Sz("2"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "", kRegSz, Sz("3"));
    SetRaw(P(), HKeyCurrentUser, Path("k\\sub1"), "x", kRegSz, Sz("4"));
    SetRaw(P(), HKeyCurrentUser, Path("k\\sub2"), "x", kRegSz, Sz("4"));
    reg.EnumerateValues(names, count);
    EXPECT_EQ(count, 3);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (V{"", "a", "bb"}));
    reg.EnumerateSections(names, count);
    EXPECT_EQ(count, 2);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (V{"sub1", "sub2"}));
}

TEST_P(RegistryEnumeration, ASubKeyNameTooLongForTheBufferEndsTheListing) {
    KeyHandle key(P());
    ASSERT_EQ(P().CreateKey(RootHandle(HKeyCurrentUser), Path("k\\" + std::string(255, 'n')), kKeySpecificRights,
                            key.put()),
              status::Success);
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(Path("k"));
    V names;
    std::int32_t count = 0;
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
}

class Associations : public BackendTest {
protected:
    std::optional<RawValue> Under(std::int32_t root, const std::string& key) {
        return GetRaw(P(), root, root == HKeyLocalMachine ? "SOFTWARE\\Classes\\" + key : key, "");
    }
    void ExpectBoth(const std::string& key, std::uint32_t type, const std::string& text) {
        for (std::int32_t root : {HKeyClassesRoot, HKeyLocalMachine}) {
            EXPECT_EQ(Under(root, key), (RawValue{type, Sz(text)})) << root << " " << key;
        }
    }
    void SetUp() override {
        BackendTest::SetUp();
        cls_ = ClassesKey("File");
        ext_ = ClassesKey("x").substr(std::string("SarvellTest.").size());
        for (auto* k : {&cls_, &ext_}) DeleteTree(P(), HKeyLocalMachine, "SOFTWARE\\Classes\\" + *k);
        ClassesKey(std::string(".") + ext_);
    }
    void TearDown() override {
        for (const auto& k : {cls_, "." + ext_}) DeleteTree(P(), HKeyLocalMachine, "SOFTWARE\\Classes\\" + k);
        BackendTest::TearDown();
    }
    std::string cls_, ext_;
};
SARVELL_BACKEND_TESTS(Associations);

TEST_P(Associations, WritesEveryKeyUnderBothRoots) {
    cRegistry reg;
    reg.CreateEXEAssociation("  C:\\Tools\\app.exe  ", cls_, "App File", ext_, "", true, "", true, "", true, "", 0);
    const std::string q = "\"C:\\Tools\\app.exe\"";
    ExpectBoth("." + ext_, kRegSz, cls_);
    ExpectBoth(cls_, kRegSz, "App File");
    ExpectBoth(cls_ + "\\shell\\open", kRegSz, "&Open");
    ExpectBoth(cls_ + "\\shell\\open\\command", kRegSz, q + " \"%1\"");
    ExpectBoth(cls_ + "\\shell\\print", kRegSz, "&Print");
    ExpectBoth(cls_ + "\\shell\\print\\command", kRegSz, q + " /p \"%1\"");
    ExpectBoth(cls_ + "\\shell\\add", kRegSz, "&Install " + ext_);
    ExpectBoth(cls_ + "\\shell\\add\\command", kRegSz, q + " /a \"%1\"");
    ExpectBoth(cls_ + "\\shell\\new", kRegSz, "&New");
    ExpectBoth(cls_ + "\\shell\\new\\command", kRegSz, q + " /n \"%1\"");
    ExpectBoth(cls_ + "\\DefaultIcon", kRegSz, q + ",0");
    // Left aimed at the last key written, below HKEY_LOCAL_MACHINE.
    EXPECT_EQ(reg.SectionKey(), cls_ + "\\DefaultIcon");
    EXPECT_EQ(reg.ClassKey(), HKeyLocalMachine);
    EXPECT_EQ(reg.ValueKey(), "");
    EXPECT_EQ(reg.ValueType(), kRegSz);
}

TEST_P(Associations, QuotesThePathAndAppliesThePercentRule) {
    cRegistry reg;
    reg.CreateEXEAssociation("\"C:\\A b\\x.exe", cls_, "d", ext_);
    ExpectBoth(cls_ + "\\shell\\open\\command", kRegSz, "\"C:\\A b\\x.exe\" \"%1\"");
    EXPECT_FALSE(Under(HKeyClassesRoot, cls_ + "\\shell\\print"));
    EXPECT_FALSE(Under(HKeyClassesRoot, cls_ + "\\DefaultIcon"));
    reg.CreateEXEAssociation("", cls_, "d", ext_);
    ExpectBoth(cls_ + "\\shell\\open\\command", kRegSz, "\" \"%1\"");
    reg.CreateEXEAssociation("%ProgramFiles%\\x.exe", cls_, "d", ext_, "&Run", false, "", false, "", false, "", 2);
    ExpectBoth(cls_ + "\\shell\\open", kRegSz, "&Run");
    ExpectBoth(cls_ + "\\shell\\open\\command", kRegExpandSz, "\"%ProgramFiles%\\x.exe\" \"%1\"");
    ExpectBoth(cls_ + "\\DefaultIcon", kRegExpandSz, "\"%ProgramFiles%\\x.exe\",2");
}

TEST_P(Associations, AdditionalVerbsNeedTheClassAndWholeGroups) {
    cRegistry reg;
    const auto raised = [&](const std::vector<Variant>& items) {
        try {
            reg.CreateAdditionalEXEAssociations(cls_, items);
        } catch (const RegistryError& e) {
            EXPECT_EQ(e.Source(), RegistrySource());
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(raised({Variant(std::string("edit")), Variant(std::string("&Edit"))}), kErrAssociationItems);
    EXPECT_EQ(raised({}), kErrClassNotDefined);  // ClassKey 0
    reg.CreateEXEAssociation("app.exe", cls_, "d", ext_);
    EXPECT_EQ(raised({}), kErrClassNotDefined);  // looked for directly below HKEY_LOCAL_MACHINE
    reg.ClassKey(HKeyClassesRoot);
    const std::vector<Variant> items{Variant(std::string("edit")), Variant(std::string("&Edit")),
                                     Variant(std::string("notepad.exe %1"))};
    EXPECT_EQ(raised(items), 0);
    ExpectBoth(cls_ + "\\shell\\edit", kRegSz, "&Edit");
    ExpectBoth(cls_ + "\\shell\\edit\\command", kRegSz, "notepad.exe %1");
}

TEST(AssociationFaults, AFailedWriteBelowLocalMachineStopsTheRegistration) {
    MemoryStore store;
    PlatformScope scope(store);
    store.FailWhen([](const CallInfo& c) -> std::optional<Status> {
        if (c.call == Call::CreateKey && c.keyPath == "HKEY_LOCAL_MACHINE") return status::AccessDenied;
        return std::nullopt;
    });
    cRegistry reg;
    EXPECT_THROW(reg.CreateEXEAssociation("a.exe", "Cls", "d", "abc"), RegistryError);
    EXPECT_EQ(GetRaw(store, HKeyClassesRoot, ".abc", "")->data, Sz("Cls"));  // written before stays
    EXPECT_FALSE(GetRaw(store, HKeyClassesRoot, "Cls", ""));
    // The additional verbs skip what fails and go on.
    reg.ClassKey(HKeyClassesRoot);
    SetRaw(store, HKeyClassesRoot, "Cls", "", kRegSz, Sz("d"));
    reg.CreateAdditionalEXEAssociations("Cls", {Variant(std::string("edit")), Variant(std::string("&Edit")),
                                                Variant(std::string("e.exe"))});
    EXPECT_EQ(GetRaw(store, HKeyClassesRoot, "Cls\\shell\\edit", "")->data, Sz("&Edit"));
    EXPECT_EQ(GetRaw(store, HKeyClassesRoot, "Cls\\shell\\edit\\command", "")->data, Sz("e.exe"));
    EXPECT_EQ(store.OpenHandles(), 0u);
}

}  // namespace
}  // namespace sarvell::test
