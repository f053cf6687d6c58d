#include "policy/outlook_version.h"

#include "registry/cRegistry.h"
#include "tests/support/backends.h"
#include "tests/support/fault_injection.h"

namespace sarvell::test {
namespace {

using namespace registry;
using policy::GetOutlookVersion;
using policy::SecurityKeyPathFor;

// The real CurVer key: one per registry, so these tests hold a lock on it
// and put back what they found.
class OutlookVersion : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        saved_ = GetRaw(P(), HKeyClassesRoot, kKey, "");
        DeleteTree(P(), HKeyClassesRoot, "Outlook.Application");
    }
    void TearDown() override {
        DeleteTree(P(), HKeyClassesRoot, "Outlook.Application");
        if (saved_) SetRaw(P(), HKeyClassesRoot, kKey, "", saved_->type, saved_->data);
        BackendTest::TearDown();
    }
    void CurVer(std::uint32_t type, const std::vector<std::uint8_t>& data) {
        SetRaw(P(), HKeyClassesRoot, kKey, "", type, data);
    }
    static constexpr const char* kKey = "Outlook.Application\\CurVer";
    std::optional<RawValue> saved_;
};
SARVELL_BACKEND_TESTS(OutlookVersion);

TEST_P(OutlookVersion, CutsTheProgrammaticNameAtItsLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"Outlook.Application.12", "12.0"}, {"Outlook.Application.9", "9.0"},
        {"Outlook", "Outlook.0"},           {"Outlook.Application.", ".0"},
        {".16", "16.0"},
    };
    for (const auto& [stored, version] : cases) {
        CurVer(kRegSz, Sz(stored));
        EXPECT_EQ(GetOutlookVersion(), version) << stored;
    }
}

TEST_P(OutlookVersion, AnswersNaWhenNothingNamesAVersion) {
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // no key
    SetRaw(P(), HKeyClassesRoot, kKey, "other", kRegSz, Sz("x"));
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // key without a default value
    CurVer(kRegSz, Sz(""));
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // empty default value
    CurVer(kRegBinary, {'1', '2'});
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // binary data names no version
    CurVer(kRegDword, {12, 0, 0, 0});
    EXPECT_EQ(GetOutlookVersion(), "12.0");  // an integer reads as its digits
}

TEST(OutlookVersionFaults, EveryFailureAnswersNa) {
    const std::size_t runs = RunFaultMatrix(FaultMatrix{
        status::AccessDenied,
        [](MemoryStore& store) {
            Handle key = 0;
            store.CreateKey(RootHandle(HKeyClassesRoot), "Outlook.Application\\CurVer", kKeySpecificRights, key);
            const auto data = Sz("Outlook.Application.16");
            store.SetValue(key, "", kRegSz, data.data(), static_cast<std::uint32_t>(data.size()));
            store.CloseKey(key);
        },
        [] {
            const std::string v = GetOutlookVersion();
            if (v != "16.0" && v != "n/a") throw std::runtime_error(v);
        },
        [](const FaultRun& run, MemoryStore&) { EXPECT_FALSE(run.Raised()); },
    });
    EXPECT_GE(runs, 7u);
}

TEST(SecurityKeyPath, ReplacesThePlaceholderWithTheVersion) {
    EXPECT_EQ(SecurityKeyPathFor("11.0"), "Software\\Microsoft\\Office\\11.0\\Outlook\\Security");
    EXPECT_EQ(SecurityKeyPathFor("n/a"), "Software\\Microsoft\\Office\\n/a\\Outlook\\Security");
    // The inserted text is not searched again.
    EXPECT_EQ(SecurityKeyPathFor("VERSION"), "Software\\Microsoft\\Office\\VERSION\\Outlook\\Security");
    EXPECT_EQ(SecurityKeyPathFor(""), "Software\\Microsoft\\Office\\\\Outlook\\Security");
}

}  // namespace
}  // namespace sarvell::test
