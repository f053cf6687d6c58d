// cRegistry's properties, key operations and their errors.
#include "registry/cRegistry.h"

#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace registry;

// Runs `f`, expects a RegistryError, and hands it back for inspection.
template <class F>
RegistryError Raised(F&& f) {
    try {
        f();
    } catch (const RegistryError& e) {
        return e;
    }
    ADD_FAILURE() << "no error was raised";
    return RegistryError(0, "", "");
}

TEST(RegistryProperties, FreshInstanceIsZeroOrEmpty) {
    const cRegistry reg;
    EXPECT_EQ(reg.ClassKey(), 0);
    EXPECT_EQ(reg.SectionKey(), "");
    EXPECT_EQ(reg.ValueKey(), "");
    EXPECT_EQ(reg.ValueType(), kRegNone);
    EXPECT_TRUE(IsEmpty(reg.Default()));
    EXPECT_EQ(reg.Machine(), "");
}

TEST(RegistryProperties, MachineIsStoredWithItsTwoBackslashes) {
    cRegistry reg;
    const std::pair<const char*, const char*> cases[] = {
        {"PC1", "\\\\PC1"}, {"\\\\PC1", "\\\\PC1"}, {"ab", ""}, {"\\\\", ""}, {"", ""}, {"abc", "\\\\abc"},
        {"\\PC", "\\\\\\PC"},  // one backslash is not the prefix
    };
    for (const auto& [given, stored] : cases) {
        reg.Machine(given);
        EXPECT_EQ(reg.Machine(), stored) << given;
    }
}

TEST(RegistryErrors, SourceIsTheProgramNameAndClass) {
    EXPECT_EQ(ProgramName(), "registry_tests");
    EXPECT_EQ(RegistrySource(), "registry_tests.cRegistry");
}

class RegistryKeys : public BackendTest {};
SARVELL_BACKEND_TESTS(RegistryKeys);

TEST_P(RegistryKeys, ClassKeyZeroFailsEveryOperation) {
    cRegistry reg;
    reg.SectionKey("Software");
    reg.ValueKey("v");
    EXPECT_FALSE(reg.KeyExists());
    auto e = Raised([&] { reg.CreateKey(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Source(), RegistrySource());
    EXPECT_EQ(e.Description(), "Failed to create registry Key: 'Software");
    e = Raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.Description(), "Failed to delete registry Key: '0',Section: 'Software");
    e = Raised([&] { reg.DeleteValue(); });
    EXPECT_EQ(e.Description(), "Failed to open key '0',Section: 'Software' for delete access");
    // A raised error leaves the properties as they were.
    EXPECT_EQ(reg.SectionKey(), "Software");
    EXPECT_EQ(reg.ValueKey(), "v");
}

TEST_P(RegistryKeys, CreateKeyMakesEveryLevelAndAcceptsExistingKeys) {
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(Path("A\\B\\C"));
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_TRUE(KeyPresent(P(), HKeyCurrentUser, Path("A\\B")));
    EXPECT_TRUE(reg.CreateKey());
    // Machine plays no part in key operations.
    reg.Machine("sarvell.invalid");
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
}

TEST_P(RegistryKeys, DeleteKeyRemovesAKeyAndRaisesForAMissingOne) {
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(Path("gone"));
    reg.CreateKey();
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    const auto e = Raised([&] { reg.DeleteKey(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Description(), "Failed to delete registry Key: '-2147483647',Section: '" + Path("gone"));
}

TEST_P(RegistryKeys, DeleteValueMessagesTellAMissingKeyFromAMissingValue) {
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(Path("k"));
    reg.ValueKey("Level1Add");
    auto e = Raised([&] { reg.DeleteValue(); });
    EXPECT_EQ(e.Description(), "Failed to open key '-2147483647',Section: '" + Path("k") + "' for delete access");
    reg.CreateKey();
    e = Raised([&] { reg.DeleteValue(); });
    EXPECT_EQ(e.Number(), 26001);
    EXPECT_EQ(e.Description(),
              "Failed to delete registry Key: '-2147483647',Section: '" + Path("k") + "',Key: 'Level1Add");
}

TEST_P(RegistryKeys, DeleteValueWithEmptyNameDeletesTheDefaultValue) {
    SetRaw(P(), HKeyCurrentUser, Path(), "", kRegSz, Sz("d"));
    SetRaw(P(), HKeyCurrentUser, Path(), "named", kRegSz, Sz("n"));
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(Path());
    EXPECT_TRUE(reg.DeleteValue());
    EXPECT_FALSE(GetRaw(P(), HKeyCurrentUser, Path(), ""));
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path(), "named"));
}

TEST_P(RegistryKeys, KeyExistsAnswersForTheLeadingBackslashPathAsThePlatformDoes) {
    const std::string cls = ClassesKey();
    cRegistry reg;
    reg.ClassKey(HKeyClassesRoot);
    reg.SectionKey("\\" + cls + "\\CurVer");
    EXPECT_FALSE(reg.KeyExists());
    SetRaw(P(), HKeyClassesRoot, cls + "\\CurVer", "", kRegSz, Sz("Outlook.Application.12"));
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_EQ(ToText(reg.Value()), "Outlook.Application.12");
}

TEST(RegistryHandles, NoHandleOutlivesAnOperation) {
    MemoryStore store;
    PlatformScope scope(store);
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey("Software\\h");
    reg.ValueKey("v");
    reg.KeyExists();
    reg.CreateKey();
    reg.ValueType(kRegSz);
    reg.Value(Variant(std::string("x")));
    reg.Value();
    reg.DeleteValue();
    EXPECT_THROW(reg.DeleteValue(), RegistryError);
    reg.Machine(MemoryStore::LocalComputerName());
    reg.Value(Variant(std::string("y")));
    reg.Value();
    reg.ValueType(kRegMultiSz);
    EXPECT_THROW(reg.Value(Variant(std::string("z"))), RegistryError);
    EXPECT_EQ(store.OpenHandles(), 0u);
}

}  // namespace
}  // namespace sarvell::test
