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
    // The default value's text under both roots, which must agree; "-" when absent.
    std::string Both(const std::string& key, std::uint32_t type = kRegSz) {
        const auto cr = GetRaw(P(), HKeyClassesRoot, key, "");
        EXPECT_EQ(cr, GetRaw(P(), HKeyLocalMachine, "SOFTWARE\\Classes\\" + key, "")) << key;
        EXPECT_TRUE(!cr || cr->type == type) << key;
        return cr ? std::string(cr->data.begin(), cr->data.end() - 1) : "-";
    }
    std::string cls_, ext_;
};
SARVELL_BACKEND_TESTS(Associations);

TEST_P(Associations, WritesEveryKeyAskedForUnderBothRoots) {
    cRegistry reg;
    const std::string q = "\"C:\\Tools\\app.exe\"", shell = cls_ + "\\shell\\";
    reg.CreateEXEAssociation("  \"C:\\Tools\\app.exe  ", cls_, "d", ext_);
    EXPECT_EQ((std::vector<std::string>{Both("." + ext_), Both(cls_), Both(shell + "open"), Both(shell + "open\\command"),
                                        Both(shell + "print"), Both(cls_ + "\\DefaultIcon")}),
              (std::vector<std::string>{cls_, "d", "&Open", q + " \"%1\"", "-", "-"}));
    reg.CreateEXEAssociation("", cls_, "App File", ext_, "", true, "", true, "", true, "", 0);
    EXPECT_EQ((std::vector<std::string>{Both(cls_), Both(shell + "open"), Both(shell + "open\\command"), Both(shell + "print"),
                                        Both(shell + "print\\command"), Both(shell + "add"), Both(shell + "add\\command"),
                                        Both(shell + "new"), Both(shell + "new\\command"), Both(cls_ + "\\DefaultIcon")}),
              (std::vector<std::string>{"App File", "&Open", "\" \"%1\"", "&Print", "\" /p \"%1\"", "&Install " + ext_,
                                        "\" /a \"%1\"", "&New", "\" /n \"%1\"", "\",0"}));
    // Left aimed at the last key written, below HKEY_LOCAL_MACHINE.
    EXPECT_EQ((std::tuple{reg.SectionKey(), reg.ClassKey()}), (std::tuple{cls_ + "\\DefaultIcon", HKeyLocalMachine}));
    reg.CreateEXEAssociation("%ProgramFiles%\\x.exe", cls_, "d", ext_, "&Run", true, "&Out", true, "&Make", true, "&Put", 2);
    EXPECT_EQ((std::vector<std::string>{Both(shell + "open"), Both(shell + "print"), Both(shell + "new"), Both(shell + "add"),
                                        Both(shell + "open\\command", kRegExpandSz), Both(cls_ + "\\DefaultIcon", kRegExpandSz)}),
              (std::vector<std::string>{"&Run", "&Out", "&Make", "&Put", "\"%ProgramFiles%\\x.exe\" \"%1\"",
                                        "\"%ProgramFiles%\\x.exe\",2"}));
}

TEST_P(Associations, AdditionalVerbsNeedTheClassAndWholeGroups) {
    cRegistry reg;
    const auto raised = [&](const std::vector<Variant>& items) {
        try {
            reg.CreateAdditionalEXEAssociations(cls_, items);
        } catch (const RegistryError& e) {
            EXPECT_EQ(e.Source(), RegistrySource());
            return std::to_string(e.Number()) + " " + e.Description();
        }
        return std::string();
    };
    EXPECT_EQ(raised({Variant("edit"), Variant("&Edit")}),
              std::to_string(kErrAssociationItems) +
                  " Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    const std::string undefined =
        std::to_string(kErrClassNotDefined) + " Error - attempt to create additional associations before class defined.";
    EXPECT_EQ(raised({}), undefined);  // ClassKey 0
    reg.ValueKey("stale");  // the registration writes default values whatever the instance held
    reg.CreateEXEAssociation("app.exe", cls_, "d", ext_);
    EXPECT_EQ((std::tuple{Both("." + ext_), Both(cls_ + "\\shell\\open")}), (std::tuple{cls_, "&Open"}));
    EXPECT_EQ(raised({}), undefined);  // looked for directly below HKEY_LOCAL_MACHINE
    reg.ClassKey(HKeyClassesRoot);
    reg.ValueKey("stale");  // each verb writes a default string value whatever the instance held
    reg.ValueType(kRegBinary);
    reg.SectionKey(cls_ + "\\missing");  // the class is looked up by its name, not at the instance's key
    EXPECT_EQ(raised({Variant("edit"), Variant("&Edit"), Variant("n.exe %1"), Variant("view"), Variant("&View"), Variant("v")}), "");
    EXPECT_EQ((std::vector<std::string>{Both(cls_ + "\\shell\\edit"), Both(cls_ + "\\shell\\edit\\command"),
                                        Both(cls_ + "\\shell\\view\\command")}),
              (std::vector<std::string>{"&Edit", "n.exe %1", "v"}));
}

}  // namespace
}  // namespace sarvell::test
