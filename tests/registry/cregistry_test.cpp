// cRegistry's key operations, enumeration and errors.
#include "registry/cRegistry.h"

#include <algorithm>

#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace registry;
using V = std::vector<std::string>;

// The description of the error `f` raises, or "" when it raises none.
template <class F>
std::string Raised(F&& f, std::int32_t number = kErrRegistry) {
    try {
        f();
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), number);
        EXPECT_EQ(e.Source(), RegistrySource());
        return e.Description();
    }
    return "";
}

TEST(RegistryProperties, MachineIsStoredWithItsTwoBackslashes) {
    EXPECT_EQ(RegistrySource(), "registry_tests.cRegistry");
    cRegistry reg;
    const std::pair<const char*, const char*> cases[] = {
        {"PC1", "\\\\PC1"}, {"\\\\PC1", "\\\\PC1"}, {"ab", ""},       {"\\\\", ""},
        {"", ""},           {"\\PC", "\\\\\\PC"},   {"\xC3\xA4" "b", ""},  // two characters, three bytes
    };
    for (const auto& [given, stored] : cases) {
        reg.Machine(given);
        EXPECT_EQ(reg.Machine(), stored) << given;
    }
}

class RegistryKeys : public BackendTest {
protected:
    cRegistry At(const std::string& section, std::int32_t root = HKeyCurrentUser) {
        cRegistry reg;
        reg.ClassKey(root);
        reg.SectionKey(section);
        return reg;
    }
};
SARVELL_BACKEND_TESTS(RegistryKeys);

TEST_P(RegistryKeys, ClassKeyZeroFailsEveryOperation) {
    cRegistry reg = At("Software", 0);
    reg.ValueKey("v");
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_EQ(Raised([&] { reg.CreateKey(); }), "Failed to create registry Key: 'Software");
    EXPECT_EQ(Raised([&] { reg.DeleteKey(); }), "Failed to delete registry Key: '0',Section: 'Software");
    EXPECT_EQ(Raised([&] { reg.DeleteValue(); }), "Failed to open key '0',Section: 'Software' for delete access");
}

TEST_P(RegistryKeys, CreateDeleteAndTheirErrors) {
    cRegistry reg = At(Path("A\\B"));
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_TRUE(reg.CreateKey());
    EXPECT_TRUE(reg.CreateKey());  // an existing key is fine
    reg.Machine("sarvell.invalid");  // plays no part in key operations
    EXPECT_TRUE(reg.KeyExists());
    reg.ValueKey("Level1Add");
    const std::string at = "Key: '-2147483647',Section: '" + Path("A\\B");
    EXPECT_EQ(Raised([&] { reg.DeleteValue(); }), "Failed to delete registry " + at + "',Key: 'Level1Add");
    SetRaw(P(), HKeyCurrentUser, Path("A\\B"), "", kRegSz, Sz("d"));
    SetRaw(P(), HKeyCurrentUser, Path("A\\B"), "named", kRegSz, Sz("n"));
    reg.ValueKey("");
    EXPECT_TRUE(reg.DeleteValue());  // the default value
    EXPECT_FALSE(GetRaw(P(), HKeyCurrentUser, Path("A\\B"), ""));
    EXPECT_TRUE(GetRaw(P(), HKeyCurrentUser, Path("A\\B"), "named"));
    EXPECT_TRUE(reg.DeleteKey());
    EXPECT_FALSE(reg.KeyExists());
    EXPECT_EQ(Raised([&] { reg.DeleteKey(); }), "Failed to delete registry " + at);
    EXPECT_EQ(Raised([&] { reg.DeleteValue(); }),
              "Failed to open key '-2147483647',Section: '" + Path("A\\B") + "' for delete access");

    // A leading backslash below HKEY_CLASSES_ROOT, as the Outlook lookup uses it.
    const std::string cls = ClassesKey();
    reg = At("\\" + cls + "\\CurVer", HKeyClassesRoot);
    EXPECT_FALSE(reg.KeyExists());
    SetRaw(P(), HKeyClassesRoot, cls + "\\CurVer", "", kRegSz, Sz("Outlook.Application.12"));
    EXPECT_TRUE(reg.KeyExists());
    EXPECT_EQ(ToText(reg.Value()), "Outlook.Application.12");
}

TEST_P(RegistryKeys, EnumerationListsNamesAndEmptiesFirst) {
    cRegistry reg = At(Path("k"));
    V names{"stale"}, sections{"stale"};
    std::int32_t count = 9, sectionCount = 9;
    EXPECT_TRUE(reg.EnumerateValues(names, count));  // missing key
    EXPECT_TRUE(reg.EnumerateSections(sections, sectionCount));
    EXPECT_EQ(names, V{});
    EXPECT_EQ(sections, V{});
    EXPECT_EQ(count + sectionCount, 0);
    for (const char* name : {"a", "bb", ""}) SetRaw(P(), HKeyCurrentUser, Path("k"), name, kRegSz, Sz("1"));
    for (const char* sub : {"k\\sub1", "k\\sub2"}) SetRaw(P(), HKeyCurrentUser, Path(sub), "x", kRegSz, Sz("2"));
    reg.EnumerateValues(names, count);
    reg.EnumerateSections(sections, sectionCount);
    std::sort(names.begin(), names.end());
    std::sort(sections.begin(), sections.end());
    EXPECT_EQ(names, (V{"", "a", "bb"}));
    EXPECT_EQ(sections, (V{"sub1", "sub2"}));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(sectionCount, 2);
    // A sub-key name too long for the 255-character buffer ends the listing.
    SetRaw(P(), HKeyCurrentUser, Path("long\\" + std::string(255, 'n')), "x", kRegSz, Sz("3"));
    reg.SectionKey(Path("long"));
    EXPECT_TRUE(reg.EnumerateSections(sections, sectionCount));
    EXPECT_EQ(sectionCount, 0);
}

TEST(RegistryHandles, NoHandleOutlivesAnOperationAndFailedListingsAreEmpty) {
    MemoryStore store;
    PlatformScope scope(store);
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey("Software\\h");
    reg.ValueKey("v");
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

    V names;
    std::int32_t count = 0;
    store.FailWhen([](const CallInfo& c) -> std::optional<Status> {
        if (c.call == Call::QueryInfoKey || c.call == Call::EnumKey) return status::AccessDenied;
        return std::nullopt;
    });
    EXPECT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_TRUE(reg.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(store.OpenHandles(), 0u);
}

}  // namespace
}  // namespace sarvell::test
