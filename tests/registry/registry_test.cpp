// cRegistry: key operations, typed value reads and writes, enumeration,
// the file-type association helpers and the errors they raise, over each
// backend; the platform below it; and the WTF-8 text both pass names and
// data in.
#include "registry/cRegistry.h"

#include <algorithm>
#include <set>

#include "tests/support/backends.h"
#include "text/wtf8.h"

namespace sarvell::test {
namespace {

using namespace registry;
using V = std::vector<std::string>;

Variant Text(std::string s) { return Variant(std::move(s)); }
Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }

cRegistry At(std::int32_t root, const std::string& section, const std::string& value = "", std::int32_t type = kRegSz) {
    cRegistry reg;
    reg.ClassKey(root);
    reg.SectionKey(section);
    reg.ValueKey(value);
    reg.ValueType(type);
    return reg;
}

// The description of the error `f` raises, or "" when it raises none.
template <class F>
std::string Raised(F&& f, std::int32_t number = kErrRegistry) {
    try {
        f();
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), number);
        EXPECT_EQ(e.Source(), number == kErrRegistry && e.Description() == kApplicationDefinedError ? host::ProgramName()
                                                                                                     : RegistrySource());
        return e.Description();
    }
    return "";
}

TEST(Wtf8, RoundTripsEveryUtf16SequenceAndReplacesMalformedBytes) {
    const std::u16string samples[] = {
        u"\u007f\u0080\u07ff\u0800\uffff", u"\U00010000\U0010FFFF", std::u16string(1, char16_t(0xDBFF)) + u"x",  // a lone surrogate
    };
    for (const auto& s : samples) {
        EXPECT_EQ(text::FromWtf8(text::ToWtf8(s)), s);
        EXPECT_EQ(text::Widen(text::ToWtf8(s)), std::wstring(s.begin(), s.end()));  // a wchar_t a UTF-16 unit, as at the Windows API
        EXPECT_EQ(text::Narrow(std::wstring(s.begin(), s.end())), text::ToWtf8(s));
    }
    EXPECT_EQ(text::ToWtf8(u"\U00010000\u00e4\u0800\U00010000\U0010FFFFa\xDC00"),
              "\xF0\x90\x80\x80\xC3\xA4\xE0\xA0\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF" "a\xED\xB0\x80");
    const std::u16string pair = u"\U00010000";  // a high surrogate whose partner lies beyond the text
    EXPECT_EQ(text::ToWtf8(std::u16string_view(pair.data(), 1)), "\xED\xA0\x80");
    EXPECT_EQ(text::FromWtf8(std::string_view("\xC3\xA4", 1)), u"\uFFFD");  // cut short: no byte read past the end
    EXPECT_EQ(text::FromWtf8("\xF4\x90\x80\x80\xC2\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\u0080");  // beyond U+10FFFF
}

TEST(RegistryProperties, ErrorsAndMachine) {
    // The error source and numbers, as the error report shows them.
    EXPECT_EQ((std::tuple{RegistrySource(), std::vector{kErrRegistry, kErrSetValue, kErrEnumerateSections, kErrAssociationItems, kErrClassNotDefined}}),
              (std::tuple{"registry_tests.cRegistry", std::vector{26001, -2147194455, -2147194454, -2147194452, -2147194451}}));
    MemoryStore store;
    PlatformScope scope(store);
    cRegistry reg = At(HKeyCurrentUser, "Software\\M", "v");
    reg.Machine(host::ComputerName());  // this computer, through the connection; the store reaches no other
    reg.Value(Text("here"));
    EXPECT_EQ(reg.Value(), Text("here"));
}

class Registry : public BackendTest {};
SARVELL_BACKEND_TESTS(Registry);

TEST_P(Registry, KeyOperationsAndTheirErrors) {
    cRegistry reg = At(HKeyCurrentUser, Path("k\\sub"), "Level1Add");
    EXPECT_TRUE(reg.CreateKey() && reg.CreateKey());  // every missing level; an existing key is fine
    const std::string at = "Key: '-2147483647',Section: '" + Path("k\\sub");
    EXPECT_EQ(Raised([&] { reg.DeleteValue(); }), "Failed to delete registry " + at + "',Key: 'Level1Add");
    EXPECT_TRUE(reg.DeleteKey());
}

TEST_P(Registry, ReadsEachTypeAndTakesItsValueType) {
    SetEnv("SARVELL_ROOT", "C:\\S");
    const std::tuple<std::uint32_t, Bytes, Variant> cases[] = {
        {kRegSz, Data("abc"), Text("abc")},  // stored without its terminating zero
        {kRegExpandSz, Sz("a%SARVELL_ROOT%\\%SARVELL_NONE%"), Text("aC:\\S\\%SARVELL_NONE%")},  // an unknown name stays
        {kRegDword, {0x80, 0, 0, 0}, Int(0x80)},
        {kRegMultiSz, Data(std::string("a\0b\0\0", 5)), Text(std::string("a\0b\0", 4))},  // only the last zero goes
    };
    for (const auto& [type, data, expected] : cases) {
        SetRaw(P(), HKeyCurrentUser, Path("k"), "v", type, data);
        cRegistry reg = At(HKeyCurrentUser, Path("k"), "v", kRegLink);
        EXPECT_EQ(reg.Value(), expected) << ToText(expected);
        EXPECT_EQ(reg.ValueType(), static_cast<std::int32_t>(type));
    }
}

// Each kind written as ValueType asks, into a key the write makes; what
// cannot be written so raises its error and stores nothing.
TEST_P(Registry, WritesEachTypeAsValueTypeAsks) {
    const std::tuple<std::int32_t, Variant, std::optional<RawValue>, std::int32_t> cases[] = {
        {kRegSz, Text("%TEMP%"), RawValue{kRegExpandSz, Sz("%TEMP%")}, 0},  // a reference: REG_EXPAND_SZ
        {kRegExpandSz, Text("%%"), RawValue{kRegSz, Sz("%%")}, 0},  // none: REG_SZ, whatever was asked
        {kRegDword, Text("5"), {}, kErrSetValue},   // a text is no integer
    };
    for (const auto& [type, value, stored, error] : cases) {
        DeleteTree(P(), HKeyCurrentUser, Path());
        cRegistry reg = At(HKeyCurrentUser, Path("k"), "v", type);
        EXPECT_EQ(Raised([&] { reg.Value(value); }, error ? error : kErrRegistry) != "", error != 0) << type;
        EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("k"), "v"), stored) << type << " " << ToText(value);
    }
}

// ValueEx writes the default for an empty text; a listing empties what it
// is given first.
TEST_P(Registry, ValueExAndEnumeration) {
    cRegistry reg;
    reg.ValueEx(HKeyCurrentUser, Path("k"), "v", kRegSz, Text("fallback"), Text(""));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("k"), "v"), (RawValue{kRegSz, Sz("fallback")}));
    V names{"stale"}, sections{"stale"};
    std::int32_t count = 9, sectionCount = 9;
    for (const char* name : {"a", ""}) SetRaw(P(), HKeyCurrentUser, Path("k"), name, kRegSz, Sz("1"));
    for (const char* sub : {"k\\sub1", "k\\sub2"}) SetRaw(P(), HKeyCurrentUser, Path(sub), "x", kRegSz, Sz("2"));
    reg.SectionKey(Path("k"));
    EXPECT_TRUE(reg.EnumerateValues(names, count) && reg.EnumerateSections(sections, sectionCount));
    std::sort(names.begin(), names.end());
    std::sort(sections.begin(), sections.end());
    EXPECT_EQ((std::tuple{names, sections, count, sectionCount}), (std::tuple{V{"", "a", "v"}, V{"sub1", "sub2"}, 3, 2}));
}

// Every platform call of the writes the lists go through failing in turn,
// once or from then on, until a run meets no fault: a failed write or
// deletion raises and leaves the old data; no handle stays open. (The
// commands meet failing reads in the fuzz corpus.)
TEST(RegistryFaults, FailedCallsNeverPassForSuccess) {
    const std::string path = "Software\\Faults\\Key";
    const auto setup = [&](MemoryStore& store) {
        SetRaw(store, HKeyCurrentUser, path, "v", kRegExpandSz, Sz("%SARVELL_UNSET%;old"));
        SetRaw(store, HKeyCurrentUser, path, "other", kRegSz, Sz("old"));
        SetRaw(store, HKeyCurrentUser, path, "gone", kRegSz, Sz("old"));
    };
    cRegistry reg = At(HKeyCurrentUser, path, "v");
    reg.Default(Text("none"));
    std::uint64_t calls = 0;  // of the clean run (n = 0, once): a fault at each of them must fire
    std::set<Call> kinds;     // and no kind of call may go uncounted
    for (bool persistent : {false, true}) {
        for (std::uint64_t n = persistent; n <= calls; ++n) {
            MemoryStore store;
            PlatformScope scope(store);
            setup(store);
            if (n == 0) store.FailWhen([&](const CallInfo& c) { ++calls, kinds.insert(c.call); return std::optional<Status>(); });
            if (n != 0) store.FailCall(n, status::AccessDenied, persistent);
            bool raised = false;
            try {
                reg.SectionKey(path);
                reg.ValueKey("gone");
                reg.DeleteValue();
                reg.ValueKey("v");
                reg.SectionKey(path + "\\New");  // a key the write makes
                reg.Value(Text("new"));
                reg.SectionKey(path);
                reg.Value(Text("new"));
            } catch (const RegistryError&) {
                raised = true;
            }
            const bool fired = store.FaultFired();
            store.ClearFaults();
            SCOPED_TRACE((persistent ? "persistent fault at call " : "fault at call ") + std::to_string(n));
            EXPECT_EQ((std::tuple{store.OpenHandles(), fired, raised}), (std::tuple{0u, n != 0, n != 0}))
                << "handles left open; a fault not injected; a failure passed for success";
            EXPECT_EQ(GetRaw(store, HKeyCurrentUser, path, "v")->data, Sz(raised ? "%SARVELL_UNSET%;old" : "new"));
            EXPECT_EQ(GetRaw(store, HKeyCurrentUser, path, "other")->data, Sz("old"));
            EXPECT_TRUE(raised || !GetRaw(store, HKeyCurrentUser, path, "gone"));
        }
    }
    EXPECT_EQ(kinds, (std::set<Call>{Call::OpenKey, Call::CreateKey, Call::DeleteValue, Call::SetValue}));
    reg.SectionKey(path);
    MemoryStore store;
    PlatformScope scope(store);
    setup(store);
    // A value that grows or shrinks between the size query and the read is
    // read as it is then, read again only when it grew; one that stays is
    // read once: its size, then its data; one that grows at every read ("+")
    // is given up after eight reads and answers the default.
    for (const auto& [now, queries] : {std::pair{"grown beyond the first size", 3}, {"s", 2}, {"", 2}, {"+", 9}}) {
        int n = 0;
        const bool growing = *now == '+';
        store.FailWhen([&](const CallInfo& c) -> std::optional<Status> {
            if (c.call == Call::QueryValue && (++n == 2 || growing) && *now) {  // after the size query
                SetRaw(store, HKeyCurrentUser, path, "v", kRegSz, Sz(growing ? std::string(n, 'g') : now));
            }
            return std::nullopt;
        });
        EXPECT_EQ((std::tuple{reg.Value(), n}), (std::tuple{Text(growing ? "none" : *now ? now : "s"), queries})) << now;
    }
    SetEnv("SARVELL_KNOWN", "k");  // a failed expansion leaves the text unexpanded rather than lose it
    SetRaw(store, HKeyCurrentUser, path, "v", kRegExpandSz, Sz("%SARVELL_KNOWN%"));
    store.FailWhen([](const CallInfo& c) { return c.call == Call::ExpandEnvironment ? std::optional<Status>(8) : std::nullopt; });
    EXPECT_EQ(reg.Value(), Text("%SARVELL_KNOWN%"));
}

// Each test registers a class and an extension named after it.
class Associations : public BackendTest {
protected:
    // The default value's text under both roots, which must agree; "-" when absent.
    std::string Both(const std::string& key, std::uint32_t type = kRegSz) {
        const auto cr = GetRaw(P(), HKeyClassesRoot, key, "");
        EXPECT_EQ(cr, GetRaw(P(), HKeyLocalMachine, "SOFTWARE\\Classes\\" + key, "")) << key;
        EXPECT_TRUE(!cr || cr->type == type) << key;
        return cr ? std::string(cr->data.begin(), cr->data.end() - 1) : "-";
    }
    const std::string cls_ = std::string("SarvellTest.") + ::testing::UnitTest::GetInstance()->current_test_info()->name(),
                      ext_ = cls_ + "x";
};
SARVELL_BACKEND_TESTS(Associations);

// One grouped check an operation: every key asked for, under both roots;
// further verbs for a class defined.
TEST_P(Associations, WriteEveryKeyAskedForUnderBothRoots) {
    cRegistry reg;
    const std::string shell = cls_ + "\\shell\\", x = "\"%ProgramFiles%\\x.exe\"";  // trimmed, and quoted once
    reg.CreateEXEAssociation("  \"%ProgramFiles%\\x.exe  ", cls_, "d", ext_, "&Run", true, "&Out", false, "", true, "", 2);
    EXPECT_EQ((V{Both("." + ext_), Both(cls_), Both(shell + "open"), Both(shell + "open\\command", kRegExpandSz), Both(shell + "print"),
                 Both(shell + "print\\command", kRegExpandSz), Both(shell + "new"), Both(shell + "add"), Both(shell + "add\\command", kRegExpandSz),
                 Both(cls_ + "\\DefaultIcon", kRegExpandSz)}),
              (V{cls_, "d", "&Run", x + " \"%1\"", "&Out", x + " /p \"%1\"", "-", "&Install " + ext_, x + " /a \"%1\"", x + ",2"}));
    reg.ClassKey(HKeyClassesRoot);
    reg.CreateAdditionalEXEAssociations(cls_, {Variant("edit"), Variant("&Edit"), Variant("n.exe %1"), Variant("view"), Variant("&View"), Variant("v")});
    EXPECT_EQ((V{Both(cls_ + "\\shell\\edit"), Both(cls_ + "\\shell\\edit\\command"), Both(cls_ + "\\shell\\view\\command")}),
              (V{"&Edit", "n.exe %1", "v"}));
}

// The platform rules the reads and writes of the lists, CurVer and the
// policy values rely on. The same tests run over the memory store and,
// under Wine, over advapi32: where they disagree, the store is wrong.
class Conformance : public BackendTest {};
SARVELL_BACKEND_TESTS(Conformance);

// A failed open or create hands out no handle to close.
TEST_P(Conformance, AFailedOpenHandsOutNoHandle) {
    Handle none = 7, bad = 7;
    EXPECT_EQ((std::tuple{P().OpenKey(RootHandle(HKeyCurrentUser), Path("none"), kKeyQueryValue, none),
                          P().CreateKey(RootHandle(HKeyCurrentUser), Path(std::string(257, 'k')), kKeySpecificRights, bad), none, bad}),
              (std::tuple{status::FileNotFound, status::InvalidParameter, Handle{0}, Handle{0}}));  // a level: at most 256
}

// Another program's spelling of a list's name is the same value: written
// through it, the data changes and the stored name stays.
TEST_P(Conformance, NamesCompareWithoutCaseAndKeepTheirCase) {
    SetRaw(P(), HKeyCurrentUser, Path("K"), "LEVEL1REMOVE", kRegSz, Sz(".bat"));
    SetRaw(P(), HKeyCurrentUser, Path("k"), "Level1Remove", kRegSz, Sz(".exe"));
    KeyHandle key(P());
    std::string name;
    ASSERT_EQ(P().OpenKey(RootHandle(HKeyCurrentUser), Path("k"), kKeyQueryValue, key.put()), status::Success);
    EXPECT_EQ((std::tuple{P().EnumValue(key.get(), 0, 100, name), name, GetRaw(P(), HKeyCurrentUser, Path("k"), "level1remove")->data,
                          GetRaw(P(), HKeyCurrentUser, Path("kk"), "Level1Remove")}),
              (std::tuple{status::Success, "LEVEL1REMOVE", Sz(".exe"), std::nullopt}));
}

}  // namespace
}  // namespace sarvell::test
