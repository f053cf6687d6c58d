// Typed value reads and writes of cRegistry.
#include "registry/cRegistry.h"

#include "tests/support/backends.h"
#include "tests/support/fault_injection.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace sarvell::test {
namespace {

using namespace registry;

Variant Text(std::string s) { return Variant(std::move(s)); }

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
    void Store(const std::string& name, std::uint32_t type, const std::vector<std::uint8_t>& data) {
        SetRaw(P(), HKeyCurrentUser, Path("values"), name, type, data);
    }
};
SARVELL_BACKEND_TESTS(RegistryValues);

TEST_P(RegistryValues, ReadingNothingAnswersDefaultAndKeepsValueType) {
    cRegistry reg = At("missing", kRegBinary);
    reg.Default(Text("none"));
    EXPECT_EQ(reg.Value(), Text("none"));  // missing key
    Store("other", kRegSz, Sz("x"));
    EXPECT_EQ(reg.Value(), Text("none"));  // missing value
    EXPECT_EQ(reg.ValueType(), kRegBinary);
    reg.Default(Variant(std::int32_t{7}));
    EXPECT_EQ(reg.Value(), Variant(std::int32_t{7}));
}

TEST_P(RegistryValues, ReadsStrings) {
    Store("sz", kRegSz, Sz("abc"));
    Store("open", kRegSz, Data("abc"));  // stored without its terminating zero
    Store("empty", kRegSz, {});
    Store("multi", kRegMultiSz, Data(std::string("a\0b\0\0", 5)));
    Store("wide", kRegSz, Sz("\xC3\xA4.\xE2\x82\xAC"));
    cRegistry reg = At("sz");
    EXPECT_EQ(reg.Value(), Text("abc"));
    EXPECT_EQ(reg.ValueType(), kRegSz);
    reg.ValueKey("open");
    EXPECT_EQ(reg.Value(), Text("abc"));
    reg.ValueKey("empty");
    EXPECT_EQ(reg.Value(), Text(""));
    reg.ValueKey("multi");
    EXPECT_EQ(reg.Value(), Text(std::string("a\0b\0", 4)));
    EXPECT_EQ(reg.ValueType(), kRegMultiSz);
    reg.ValueKey("wide");
    EXPECT_EQ(reg.Value(), Text("\xC3\xA4.\xE2\x82\xAC"));
}

TEST_P(RegistryValues, ExpandsEnvironmentReferences) {
#ifdef _WIN32
    SetEnvironmentVariableW(L"SARVELL_ROOT", L"C:\\Sarvell");
#else
    setenv("SARVELL_ROOT", "C:\\Sarvell", 1);
#endif
    Store("exp", kRegExpandSz, Sz("%SARVELL_ROOT%\\x"));
    Store("pieces", kRegExpandSz, Data(std::string("%SARVELL_ROOT%\0%SARVELL_ROOT%\0", 30)));
    cRegistry reg = At("exp");
    EXPECT_EQ(reg.Value(), Text("C:\\Sarvell\\x"));
    EXPECT_EQ(reg.ValueType(), kRegExpandSz);
    // Text behind a zero character is expanded too, not cut off.
    reg.ValueKey("pieces");
    EXPECT_EQ(reg.Value(), Text(std::string("C:\\Sarvell\0C:\\Sarvell", 21)));
}

TEST_P(RegistryValues, ReadsIntegersInBothByteOrders) {
    Store("le", kRegDword, {0x01, 0x02, 0x03, 0x84});
    Store("be", kRegDwordBigEndian, {0x01, 0x02, 0x03, 0x84});
    Store("short", kRegDword, {0x01, 0x02});
    Store("long", kRegDword, {1, 2, 3, 4, 5, 6});
    cRegistry reg = At("le");
    EXPECT_EQ(reg.Value(), Variant(static_cast<std::int32_t>(0x84030201u)));
    EXPECT_EQ(reg.ValueType(), kRegDword);
    reg.ValueKey("be");
    EXPECT_EQ(reg.Value(), Variant(static_cast<std::int32_t>(0x01020384u)));
    EXPECT_EQ(reg.ValueType(), kRegDwordBigEndian);
    // Short data fills the low bytes; longer data is no integer and stays whole.
    reg.ValueKey("short");
    EXPECT_EQ(reg.Value(), Variant(std::int32_t{0x0201}));
    reg.ValueKey("long");
    EXPECT_EQ(reg.Value(), Variant(Bytes{1, 2, 3, 4, 5, 6, 0}));
}

TEST_P(RegistryValues, ReadsOtherTypesAsByteArraysWithOneExtraElement) {
    Store("bin", kRegBinary, {0xAA, 0xBB, 0xCC});
    Store("none", kRegNone, {});
    Store("odd", 99, {5});
    cRegistry reg = At("bin");
    EXPECT_EQ(reg.Value(), Variant(Bytes{0xAA, 0xBB, 0xCC, 0}));
    EXPECT_EQ(reg.ValueType(), kRegBinary);
    reg.ValueKey("none");
    EXPECT_EQ(reg.Value(), Variant(Bytes{0}));
    reg.ValueKey("odd");
    EXPECT_EQ(reg.Value(), Variant(Bytes{5, 0}));
    EXPECT_EQ(reg.ValueType(), 99);
}

TEST_P(RegistryValues, WritesTextWithItsZeroCreatingTheKey) {
    cRegistry reg = At("list");
    reg.Value(Text("exe;com"));
    EXPECT_EQ(Stored("list"), (RawValue{kRegSz, Sz("exe;com")}));
    reg.Value(Variant(std::int32_t{5}));
    EXPECT_EQ(Stored("list"), (RawValue{kRegSz, Sz("5")}));
    reg.Value(Variant(std::int16_t{-12}));
    EXPECT_EQ(Stored("list"), (RawValue{kRegSz, Sz("-12")}));
    reg.Value(Variant());
    EXPECT_EQ(Stored("list"), (RawValue{kRegSz, Sz("")}));
    const std::string wide = "\xC3\xA4\xF0\x9F\x98\x80";
    reg.Value(Text(wide));
    EXPECT_EQ(reg.Value(), Text(wide));
}

TEST_P(RegistryValues, PercentPairsMakeExpandableStrings) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"%TEMP%", kRegExpandSz}, {"a%b%", kRegExpandSz}, {"%%", kRegSz}, {"100%", kRegSz},
        {"%a", kRegSz},           {"%%%", kRegExpandSz},  {"", kRegSz},
    };
    for (const auto& [text, type] : cases) {
        for (std::int32_t asked : {kRegSz, kRegExpandSz}) {
            cRegistry reg = At("p", asked);
            reg.Value(Text(text));
            EXPECT_EQ(Stored("p"), (RawValue{static_cast<std::uint32_t>(type), Sz(text)})) << text;
        }
    }
}

TEST_P(RegistryValues, WritesIntegersAsLittleEndianDwords) {
    cRegistry reg = At("n", kRegDword);
    reg.Value(Variant(static_cast<std::int32_t>(0x84030201u)));
    EXPECT_EQ(Stored("n"), (RawValue{kRegDword, {0x01, 0x02, 0x03, 0x84}}));
    reg.ValueType(kRegDwordBigEndian);  // stored as a plain DWORD, not reversed
    reg.Value(Variant(std::int16_t{-2}));
    EXPECT_EQ(Stored("n"), (RawValue{kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}}));
}

TEST_P(RegistryValues, WritesByteArraysWhole) {
    cRegistry reg = At("b", kRegBinary);
    reg.Value(Variant(Bytes{1, 2, 3}));
    EXPECT_EQ(Stored("b"), (RawValue{kRegBinary, {1, 2, 3}}));
    reg.Value(Variant(Bytes{}));
    EXPECT_EQ(Stored("b"), (RawValue{kRegBinary, {}}));
}

TEST_P(RegistryValues, RefusedWritesRaiseAndStoreNothing) {
    const std::string where = "Failed to set registry value Key: '-2147483647',Section: '" + Path("values") + "',Key: '";
    struct Case {
        std::int32_t type;
        Variant value;
        std::int32_t number;
        std::string description;
    };
    const Case cases[] = {
        {kRegNone, Text("x"), kErrSetValue, where + "v' to value: 'x'"},
        {kRegMultiSz, Text("x"), kErrSetValue, where + "v' to value: 'x'"},
        {kRegLink, Text("x"), kErrSetValue, where + "v' to value: 'x'"},
        {kRegDword, Text("12"), kErrSetValue, where + "v' to value: '12'"},
        {kRegSz, Variant(Bytes{0x0A, 0xFF}), kErrSetValue, where + "v' to value: '0A FF'"},
        {kRegBinary, Text("x"), kErrRegistry, kApplicationDefinedError},
        {kRegBinary, Variant(std::int32_t{1}), kErrRegistry, kApplicationDefinedError},
    };
    for (const auto& c : cases) {
        cRegistry reg = At("v", c.type);
        try {
            reg.Value(c.value);
            ADD_FAILURE() << "type " << c.type << " wrote " << ToText(c.value);
        } catch (const RegistryError& e) {
            EXPECT_EQ(e.Number(), c.number) << c.type;
            EXPECT_EQ(e.Description(), c.description);
            EXPECT_EQ(e.Source(), c.number == kErrRegistry ? ProgramName() : RegistrySource());
        }
        EXPECT_FALSE(Stored("v")) << c.type;
    }
}

TEST_P(RegistryValues, ValueExStoresItsArgumentsAndUsesDefaultForEmptyText) {
    cRegistry reg;
    reg.ValueEx(HKeyCurrentUser, Path("values"), "x", kRegSz, Text("fallback"), Text(""));
    EXPECT_EQ(Stored("x"), (RawValue{kRegSz, Sz("fallback")}));
    EXPECT_EQ(reg.ClassKey(), HKeyCurrentUser);
    EXPECT_EQ(reg.SectionKey(), Path("values"));
    EXPECT_EQ(reg.ValueKey(), "x");
    EXPECT_EQ(reg.Default(), Text("fallback"));
    reg.ValueEx(HKeyCurrentUser, Path("values"), "x", kRegSz, Text("fallback"), Text("given"));
    EXPECT_EQ(Stored("x"), (RawValue{kRegSz, Sz("given")}));
    // Only REG_SZ swaps in the default: an empty text for a DWORD is refused.
    EXPECT_THROW(reg.ValueEx(HKeyCurrentUser, Path("values"), "d", kRegDword, Text("x"), Text("")), RegistryError);
    EXPECT_FALSE(Stored("d"));

    EXPECT_EQ(reg.ValueEx(HKeyCurrentUser, Path("values"), "x", kRegNone, Text("none")), Text("given"));
    EXPECT_EQ(reg.ValueType(), kRegSz);
    EXPECT_EQ(reg.ValueEx(HKeyCurrentUser, Path("values"), "nope", kRegBinary, Text("none")), Text("none"));
    EXPECT_EQ(reg.ValueType(), kRegBinary);
}

TEST_P(RegistryValues, RemoteRoots) {
    cRegistry reg = At("r");
    reg.Machine(MemoryStore::LocalComputerName());
    reg.Value(Text("through this computer"));
    EXPECT_EQ(Stored("r"), (RawValue{kRegSz, Sz("through this computer")}));
    EXPECT_EQ(reg.Value(), Text("through this computer"));

    reg.Machine("sarvell.invalid");
    reg.Default(Text("unreachable"));
    EXPECT_EQ(reg.Value(), Text("unreachable"));
    try {
        reg.Value(Text("lost"));
        ADD_FAILURE() << "a write to an unreachable computer reported success";
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), kErrRegistry);
    }
    EXPECT_EQ(Stored("r"), (RawValue{kRegSz, Sz("through this computer")}));
}

TEST_P(RegistryValues, LargeTextRoundTrips) {
    std::string big(1 << 20, 'e');
    for (std::size_t i = 0; i < big.size(); i += 5) big[i] = ';';
    cRegistry reg = At("big");
    reg.Value(Text(big));
    EXPECT_EQ(reg.Value(), Text(big));
}

TEST(RegistryByteOrder, ReversesFourBytes) {
    EXPECT_EQ(ReverseByteOrder(0x01020304), 0x04030201);
    EXPECT_EQ(ReverseByteOrder(static_cast<std::int32_t>(0x80000000u)), 0x80);
    EXPECT_EQ(ReverseByteOrder(-1), -1);
}

// Every platform call of a write failing, once or from then on: the failure
// reaches the caller, and what was stored before is untouched.
TEST(RegistryValueFaults, FailedWritesRaiseAndKeepTheOldData) {
    const std::string path = "Software\\Faults\\Deep\\Key";
    const std::size_t runs = RunFaultMatrix(FaultMatrix{
        status::AccessDenied,
        [&](MemoryStore& store) {
            Handle key = 0;
            ASSERT_EQ(store.CreateKey(RootHandle(HKeyCurrentUser), path, kKeySpecificRights, key), 0);
            const auto old = Sz("old");
            store.SetValue(key, "v", kRegSz, old.data(), 4);
            store.SetValue(key, "other", kRegSz, old.data(), 4);
            store.CloseKey(key);
        },
        [&] {
            cRegistry reg;
            reg.ClassKey(HKeyCurrentUser);
            reg.SectionKey(path + "\\New");
            reg.ValueKey("v");
            reg.ValueType(kRegSz);
            reg.Value(Text("new"));
            reg.SectionKey(path);
            reg.Value(Text("new"));
        },
        [&](const FaultRun& run, MemoryStore& store) {
            EXPECT_EQ(run.faultFired, run.Raised()) << "a failure was reported as success, or the reverse";
            const auto v = GetRaw(store, HKeyCurrentUser, path, "v");
            ASSERT_TRUE(v);
            EXPECT_TRUE(v->data == Sz("old") || v->data == Sz("new"));
            if (!run.Raised()) {
                EXPECT_EQ(v->data, Sz("new"));
            }
            EXPECT_EQ(GetRaw(store, HKeyCurrentUser, path, "other")->data, Sz("old"));
        },
    });
    EXPECT_GE(runs, 5u);
}

TEST(RegistryValueFaults, FailedCreateRaisesTheCreateError) {
    MemoryStore store;
    PlatformScope scope(store);
    store.FailWhen([](const CallInfo& call) -> std::optional<Status> {
        if (call.call == Call::CreateKey) return status::AccessDenied;
        return std::nullopt;
    });
    cRegistry reg;
    reg.ClassKey(HKeyLocalMachine);
    reg.SectionKey("SOFTWARE\\Classes\\.xyz");
    try {
        reg.CreateKey();
        ADD_FAILURE();
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), kErrRegistry);
        EXPECT_EQ(e.Description(), "Failed to create registry Key: 'SOFTWARE\\Classes\\.xyz");
    }
    reg.ValueType(kRegSz);
    try {
        reg.Value(Text("cls"));
        ADD_FAILURE();
    } catch (const RegistryError& e) {
        EXPECT_EQ(e.Number(), kErrRegistry);
        EXPECT_EQ(e.Description(),
                  "Failed to set registry value Key: '-2147483646',Section: 'SOFTWARE\\Classes\\.xyz',Key: '' to "
                  "value: 'cls'");
    }
    EXPECT_EQ(store.OpenHandles(), 0u);
}

TEST(RegistryValueFaults, FailedReadsAnswerDefault) {
    const std::size_t runs = RunFaultMatrix(FaultMatrix{
        status::AccessDenied,
        [](MemoryStore& store) {
            Handle key = 0;
            store.CreateKey(RootHandle(HKeyCurrentUser), "Software\\R", kKeySpecificRights, key);
            const auto data = Sz("%SARVELL_UNSET_NAME%;.exe");
            store.SetValue(key, "v", kRegExpandSz, data.data(), static_cast<std::uint32_t>(data.size()));
            store.CloseKey(key);
        },
        [] {
            cRegistry reg;
            reg.ClassKey(HKeyCurrentUser);
            reg.SectionKey("Software\\R");
            reg.ValueKey("v");
            reg.Default(Text("none"));
            const Variant v = reg.Value();
            // The only answers: the default, or the text, expanded or not.
            if (v != Text("none") && v != Text("%SARVELL_UNSET_NAME%;.exe")) throw std::runtime_error(ToText(v));
        },
        [](const FaultRun& run, MemoryStore&) { EXPECT_FALSE(run.Raised()); },
    });
    EXPECT_GE(runs, 7u);
}

}  // namespace
}  // namespace sarvell::test
