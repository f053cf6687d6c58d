// Typed value reads and writes of cRegistry.
#include "registry/cRegistry.h"

#include "tests/support/backends.h"
#include "tests/support/fault_injection.h"


namespace sarvell::test {
namespace {

using namespace registry;

Variant Text(std::string s) { return Variant(std::move(s)); }
Variant Int(std::int64_t v) { return Variant(static_cast<std::int32_t>(v)); }

class RegistryValues : public BackendTest {
protected:
    cRegistry At(const std::string& name, std::int32_t type = kRegSz) {
        cRegistry reg;
        reg.ClassKey(HKeyCurrentUser);
        reg.SectionKey(Path("values"));
        reg.ValueKey(name);
        reg.ValueType(type);
        return reg;
    }
    std::optional<RawValue> Stored(const std::string& name) { return GetRaw(P(), HKeyCurrentUser, Path("values"), name); }
};
SARVELL_BACKEND_TESTS(RegistryValues);

TEST_P(RegistryValues, ReadsEachTypeAndTakesItsValueType) {
    SetEnv("SARVELL_ROOT", "C:\\S");
    struct Case {
        std::uint32_t type;
        Bytes data;
        Variant expected;
    };
    const Case cases[] = {
        {kRegSz, Sz("abc"), Text("abc")},
        {kRegSz, Data("abc"), Text("abc")},  // stored without its terminating zero
        {kRegSz, {}, Text("")},
        {kRegSz, Sz("\xC3\xA4.\xE2\x82\xAC"), Text("\xC3\xA4.\xE2\x82\xAC")},
        {kRegMultiSz, Data(std::string("a\0b\0\0", 5)), Text(std::string("a\0b\0", 4))},
        {kRegExpandSz, Sz("%SARVELL_ROOT%\\x"), Text("C:\\S\\x")},
        // Text behind a zero character is expanded too, not cut off.
        {kRegExpandSz, Data(std::string("%SARVELL_ROOT%\0%SARVELL_ROOT%\0", 30)), Text(std::string("C:\\S\0C:\\S", 9))},
        {kRegDword, {0x01, 0x02, 0x03, 0x84}, Int(0x84030201)},
        {kRegDwordBigEndian, {0x01, 0x02, 0x03, 0x84}, Int(0x01020384)},
        {kRegDwordBigEndian, {0, 0, 0, 0x80}, Int(0x80)},
        {kRegDword, {0x01, 0x02}, Int(0x0201)},  // short data fills the low bytes
        // Longer data is no integer; other types are byte arrays with one element more.
        {kRegDword, {1, 2, 3, 4, 5}, Variant(Bytes{1, 2, 3, 4, 5, 0})},
        {kRegBinary, {0xAA, 0xBB}, Variant(Bytes{0xAA, 0xBB, 0})},
        {kRegNone, {}, Variant(Bytes{0})},
        {99, {5}, Variant(Bytes{5, 0})},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string name = "v" + std::to_string(n++);
        SetRaw(P(), HKeyCurrentUser, Path("values"), name, c.type, c.data);
        cRegistry reg = At(name, kRegLink);
        EXPECT_EQ(reg.Value(), c.expected) << name;
        EXPECT_EQ(reg.ValueType(), static_cast<std::int32_t>(c.type)) << name;
    }
}

TEST_P(RegistryValues, ReadingNothingAnswersDefaultAndKeepsValueType) {
    cRegistry reg = At("missing", kRegBinary);
    reg.Default(Text("none"));
    EXPECT_EQ(reg.Value(), Text("none"));  // missing key
    SetRaw(P(), HKeyCurrentUser, Path("values"), "other", kRegSz, Sz("x"));
    reg.Default(Int(7));
    EXPECT_EQ(reg.Value(), Int(7));  // missing value
    EXPECT_EQ(reg.ValueType(), kRegBinary);
    Variant out;
    EXPECT_EQ(reg.ReadValue(out), status::FileNotFound);
}

TEST_P(RegistryValues, WritesWhatTheTypeAsksOrRaisesAndStoresNothing) {
    const std::string where = "Failed to set registry value Key: '-2147483647',Section: '" + Path("values") + "',Key: 'v";
    struct Case {
        std::int32_t asked;
        Variant value;
        std::optional<RawValue> stored;  // nothing: the write raises
        std::int32_t error;
        std::string description;
    };
    const Case cases[] = {
        {kRegSz, Text("exe;com"), RawValue{kRegSz, Sz("exe;com")}, 0, ""},
        {kRegSz, Int(5), RawValue{kRegSz, Sz("5")}, 0, ""},
        {kRegSz, Variant(std::int16_t{-12}), RawValue{kRegSz, Sz("-12")}, 0, ""},
        {kRegSz, Variant(), RawValue{kRegSz, Sz("")}, 0, ""},
        {kRegSz, Text("\xF0\x9F\x98\x80"), RawValue{kRegSz, Sz("\xF0\x9F\x98\x80")}, 0, ""},
        // A "%" with another at least two characters later makes the text expandable.
        {kRegSz, Text("%T%"), RawValue{kRegExpandSz, Sz("%T%")}, 0, ""},
        {kRegExpandSz, Text("a%b%"), RawValue{kRegExpandSz, Sz("a%b%")}, 0, ""},
        {kRegExpandSz, Text("%%"), RawValue{kRegSz, Sz("%%")}, 0, ""},
        {kRegSz, Text("%%%"), RawValue{kRegExpandSz, Sz("%%%")}, 0, ""},
        {kRegSz, Text("100%"), RawValue{kRegSz, Sz("100%")}, 0, ""},
        {kRegDword, Int(0x84030201), RawValue{kRegDword, {0x01, 0x02, 0x03, 0x84}}, 0, ""},
        {kRegDwordBigEndian, Variant(std::int16_t{-2}), RawValue{kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}}, 0, ""},
        {kRegBinary, Variant(Bytes{1, 2, 3}), RawValue{kRegBinary, {1, 2, 3}}, 0, ""},
        {kRegBinary, Variant(Bytes{}), RawValue{kRegBinary, {}}, 0, ""},
        {kRegNone, Text("x"), std::nullopt, kErrSetValue, where + "' to value: 'x'"},
        {kRegMultiSz, Text("x"), std::nullopt, kErrSetValue, where + "' to value: 'x'"},
        {kRegDword, Text("12"), std::nullopt, kErrSetValue, where + "' to value: '12'"},
        {kRegSz, Variant(Bytes{0x0A, 0xFF}), std::nullopt, kErrSetValue, where + "' to value: '0A FF'"},
        {kRegBinary, Int(1), std::nullopt, kErrRegistry, kApplicationDefinedError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToText(c.value) + " as type " + std::to_string(c.asked));
        DeleteTree(P(), HKeyCurrentUser, Path("values"));
        cRegistry reg = At("v", c.asked);
        try {
            reg.Value(c.value);
            EXPECT_EQ(c.error, 0) << "a refused write reported success";
        } catch (const RegistryError& e) {
            EXPECT_EQ(e.Number(), c.error);
            EXPECT_EQ(e.Description(), c.description);
            EXPECT_EQ(e.Source(), c.error == kErrRegistry ? ProgramName() : RegistrySource());
        }
        EXPECT_EQ(Stored("v"), c.stored);
    }
    std::string big(1 << 20, 'e');
    for (std::size_t i = 0; i < big.size(); i += 5) big[i] = ';';
    cRegistry reg = At("big");
    reg.Value(Text(big));
    EXPECT_EQ(reg.Value(), Text(big));
}

TEST_P(RegistryValues, ValueExStoresItsArgumentsAndUsesDefaultForEmptyText) {
    cRegistry reg;
    reg.ValueEx(HKeyCurrentUser, Path("values"), "v", kRegSz, Text("fallback"), Text(""));
    EXPECT_EQ(Stored("v"), (RawValue{kRegSz, Sz("fallback")}));
    EXPECT_EQ(reg.ClassKey(), HKeyCurrentUser);
    EXPECT_EQ(reg.SectionKey(), Path("values"));
    EXPECT_EQ(reg.ValueKey(), "v");
    reg.ValueEx(HKeyCurrentUser, Path("values"), "v", kRegSz, Text("fallback"), Text("given"));
    EXPECT_EQ(Stored("v"), (RawValue{kRegSz, Sz("given")}));
    // Only REG_SZ swaps in the default: an empty text for a DWORD is refused.
    EXPECT_THROW(reg.ValueEx(HKeyCurrentUser, Path("values"), "d", kRegDword, Text("x"), Text("")), RegistryError);
    EXPECT_FALSE(Stored("d"));
    EXPECT_EQ(reg.ValueEx(HKeyCurrentUser, Path("values"), "v", kRegNone, Text("none")), Text("given"));
    EXPECT_EQ(reg.ValueType(), kRegSz);
    EXPECT_EQ(reg.ValueEx(HKeyCurrentUser, Path("values"), "nope", kRegBinary, Text("none")), Text("none"));
    EXPECT_EQ(reg.Default(), Text("none"));
}

TEST_P(RegistryValues, ThisComputerIsReachedAndAnUnreachableOneIsAFailedWrite) {
    cRegistry reg = At("r");
    reg.Machine(MemoryStore::LocalComputerName());
    reg.Value(Text("here"));
    EXPECT_EQ(reg.Value(), Text("here"));
    reg.Machine("sarvell.invalid");
    reg.Default(Text("unreachable"));
    EXPECT_EQ(reg.Value(), Text("unreachable"));
    EXPECT_THROW(reg.Value(Text("lost")), RegistryError);
    EXPECT_EQ(Stored("r"), (RawValue{kRegSz, Sz("here")}));
}

// Every platform call of a write or a read failing, once or from then on:
// a failed write raises and leaves the old data; a read answers the value
// or the default, never anything else.
TEST(RegistryValueFaults, FailedCallsNeverPassForSuccess) {
    const std::string path = "Software\\Faults\\Key";
    const auto setup = [&](MemoryStore& store) {
        SetRaw(store, HKeyCurrentUser, path, "v", kRegExpandSz, Sz("%SARVELL_UNSET%;old"));
        SetRaw(store, HKeyCurrentUser, path, "other", kRegSz, Sz("old"));
    };
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.ValueKey("v");
    reg.ValueType(kRegSz);
    reg.Default(Text("none"));
    RunFaultMatrix({setup,
                    [&] {
                        reg.SectionKey(path + "\\New");
                        reg.Value(Text("new"));
                        reg.SectionKey(path);
                        reg.Value(Text("new"));
                    },
                    [&](const FaultRun& run, MemoryStore& store) {
                        EXPECT_EQ(run.faultFired, run.raised) << "a failure was reported as success, or the reverse";
                        const auto v = GetRaw(store, HKeyCurrentUser, path, "v");
                        EXPECT_EQ(v->data, Sz(run.raised ? "%SARVELL_UNSET%;old" : "new"));
                        EXPECT_EQ(GetRaw(store, HKeyCurrentUser, path, "other")->data, Sz("old"));
                    }});
    reg.SectionKey(path);
    Variant read;
    RunFaultMatrix({setup, [&] { read = reg.Value(); },
                    [&](const FaultRun& run, MemoryStore&) {
                        EXPECT_FALSE(run.raised);
                        EXPECT_TRUE(read == Text("none") || read == Text("%SARVELL_UNSET%;old")) << ToText(read);
                    }});
}

}  // namespace
}  // namespace sarvell::test
