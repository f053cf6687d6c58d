// The file-type association helpers of cRegistry.
#include "registry/cRegistry.h"

#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace registry;

class Associations : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        cls_ = ClassesKey();
        ext_ = cls_.substr(12) + "x";  // "SarvellTest." off
        Clean();
    }
    void TearDown() override {
        Clean();
        BackendTest::TearDown();
    }
    void Clean() {
        for (const std::string& k : {cls_, "." + ext_}) {
            DeleteTree(P(), HKeyClassesRoot, k);
            DeleteTree(P(), HKeyLocalMachine, "SOFTWARE\\Classes\\" + k);
        }
    }
    // The default value's text under both roots, which must agree.
    std::string Both(const std::string& key, std::uint32_t type = kRegSz) {
        const auto cr = GetRaw(P(), HKeyClassesRoot, key, "");
        EXPECT_EQ(cr, GetRaw(P(), HKeyLocalMachine, "SOFTWARE\\Classes\\" + key, "")) << key;
        if (!cr) return "(none)";
        EXPECT_EQ(cr->type, type) << key;
        return std::string(cr->data.begin(), cr->data.end() - 1);
    }
    std::string cls_, ext_;
};
SARVELL_BACKEND_TESTS(Associations);

TEST_P(Associations, WritesEveryKeyUnderBothRoots) {
    cRegistry reg;
    reg.CreateEXEAssociation("  C:\\Tools\\app.exe  ", cls_, "App File", ext_, "", true, "", true, "", true, "", 0);
    const std::string q = "\"C:\\Tools\\app.exe\"", shell = cls_ + "\\shell\\";
    const std::pair<std::string, std::string> keys[] = {
        {"." + ext_, cls_},
        {cls_, "App File"},
        {shell + "open", "&Open"},
        {shell + "open\\command", q + " \"%1\""},
        {shell + "print", "&Print"},
        {shell + "print\\command", q + " /p \"%1\""},
        {shell + "add", "&Install " + ext_},
        {shell + "add\\command", q + " /a \"%1\""},
        {shell + "new", "&New"},
        {shell + "new\\command", q + " /n \"%1\""},
        {cls_ + "\\DefaultIcon", q + ",0"},
    };
    for (const auto& [key, text] : keys) EXPECT_EQ(Both(key), text) << key;
    // Left aimed at the last key written, below HKEY_LOCAL_MACHINE.
    EXPECT_EQ(reg.SectionKey(), cls_ + "\\DefaultIcon");
    EXPECT_EQ(reg.ClassKey(), HKeyLocalMachine);
}

TEST_P(Associations, QuotesThePathAndWritesOnlyWhatIsAskedFor) {
    cRegistry reg;
    reg.CreateEXEAssociation("\"C:\\A b\\x.exe", cls_, "d", ext_);
    EXPECT_EQ(Both(cls_ + "\\shell\\open\\command"), "\"C:\\A b\\x.exe\" \"%1\"");
    for (const char* key : {"\\shell\\print", "\\shell\\add", "\\shell\\new", "\\DefaultIcon"}) {
        EXPECT_EQ(Both(cls_ + key), "(none)") << key;
    }
    reg.CreateEXEAssociation("", cls_, "d", ext_);
    EXPECT_EQ(Both(cls_ + "\\shell\\open\\command"), "\" \"%1\"");
    reg.CreateEXEAssociation("%ProgramFiles%\\x.exe", cls_, "d", ext_, "&Run", true, "&Out", true, "&Make", true,
                             "&Put", 2);
    EXPECT_EQ(Both(cls_ + "\\shell\\open"), "&Run");
    EXPECT_EQ(Both(cls_ + "\\shell\\print"), "&Out");
    EXPECT_EQ(Both(cls_ + "\\shell\\new"), "&Make");
    EXPECT_EQ(Both(cls_ + "\\shell\\add"), "&Put");
    EXPECT_EQ(Both(cls_ + "\\shell\\open\\command", kRegExpandSz), "\"%ProgramFiles%\\x.exe\" \"%1\"");
    EXPECT_EQ(Both(cls_ + "\\DefaultIcon", kRegExpandSz), "\"%ProgramFiles%\\x.exe\",2");
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
    const Variant edit("edit"), menu("&Edit"), command("notepad.exe %1");
    EXPECT_EQ(raised({edit, menu}), kErrAssociationItems);
    EXPECT_EQ(raised({}), kErrClassNotDefined);  // ClassKey 0
    reg.CreateEXEAssociation("app.exe", cls_, "d", ext_);
    EXPECT_EQ(raised({}), kErrClassNotDefined);  // looked for directly below HKEY_LOCAL_MACHINE
    reg.ClassKey(HKeyClassesRoot);
    EXPECT_EQ(raised({edit, menu, command, Variant("view"), Variant("&View"), Variant("v.exe")}), 0);
    EXPECT_EQ(Both(cls_ + "\\shell\\edit"), "&Edit");
    EXPECT_EQ(Both(cls_ + "\\shell\\edit\\command"), "notepad.exe %1");
    EXPECT_EQ(Both(cls_ + "\\shell\\view\\command"), "v.exe");
}

TEST(AssociationFaults, AFailedWriteStopsARegistrationButNotTheAdditionalVerbs) {
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
    reg.ClassKey(HKeyClassesRoot);
    SetRaw(store, HKeyClassesRoot, "Cls", "", kRegSz, Sz("d"));
    reg.CreateAdditionalEXEAssociations("Cls", {Variant("edit"), Variant("&Edit"), Variant("e.exe")});
    EXPECT_EQ(GetRaw(store, HKeyClassesRoot, "Cls\\shell\\edit", "")->data, Sz("&Edit"));
    EXPECT_EQ(GetRaw(store, HKeyClassesRoot, "Cls\\shell\\edit\\command", "")->data, Sz("e.exe"));
    EXPECT_EQ(store.OpenHandles(), 0u);
}

}  // namespace
}  // namespace sarvell::test
