#include "policy/outlook_version.h"

#include "registry/cRegistry.h"
#include "tests/support/backends.h"
#include "tests/support/fault_injection.h"

namespace sarvell::test {
namespace {

using namespace registry;
using policy::GetOutlookVersion;

// The real CurVer key: one per registry, so these tests hold a lock on it
// and put back what they found.
class OutlookVersion : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        saved_ = GetRaw(P(), HKeyClassesRoot, kKey, "");
    }
    void TearDown() override {
        DeleteTree(P(), HKeyClassesRoot, "Outlook.Application");
        if (saved_) SetRaw(P(), HKeyClassesRoot, kKey, "", saved_->type, saved_->data);
        BackendTest::TearDown();
    }
    static constexpr const char* kKey = "Outlook.Application\\CurVer";
    std::optional<RawValue> saved_;
};
SARVELL_BACKEND_TESTS(OutlookVersion);

TEST_P(OutlookVersion, IsTheProgrammaticNameAfterItsLastDotOrNa) {
    struct Case {
        std::uint32_t type;
        Bytes data;
        const char* version;
    };
    const Case cases[] = {
        {kRegSz, Sz("Outlook.Application.12"), "12.0"}, {kRegSz, Sz("Outlook"), "Outlook.0"},
        {kRegSz, Sz("Outlook.Application."), ".0"},     {kRegSz, Sz(".16"), "16.0"},
        {kRegDword, {12, 0, 0, 0}, "12.0"},  // an integer reads as its digits
        {kRegSz, Sz(""), "n/a"},            {kRegBinary, {'1', '2'}, "n/a"},  // binary data names no version
    };
    DeleteTree(P(), HKeyClassesRoot, "Outlook.Application");
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // no key
    SetRaw(P(), HKeyClassesRoot, kKey, "other", kRegSz, Sz("x"));
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // no default value
    for (const Case& c : cases) {
        SetRaw(P(), HKeyClassesRoot, kKey, "", c.type, c.data);
        EXPECT_EQ(GetOutlookVersion(), c.version) << c.version;
    }
}

TEST(OutlookVersionFaults, EveryFailureAnswersNa) {
    std::string version;
    RunFaultMatrix({[](MemoryStore& store) {
                        SetRaw(store, HKeyClassesRoot, "Outlook.Application\\CurVer", "", kRegSz,
                               Sz("Outlook.Application.16"));
                    },
                    [&] { version = GetOutlookVersion(); },
                    [&](const FaultRun& run, MemoryStore&) {
                        EXPECT_EQ(version, run.faultFired ? version : "16.0");
                        EXPECT_TRUE(version == "16.0" || version == "n/a") << version;
                    }});
}

TEST(SecurityKeyPath, ReplacesThePlaceholderWithTheVersion) {
    EXPECT_EQ(policy::SecurityKeyPathFor("11.0"), "Software\\Microsoft\\Office\\11.0\\Outlook\\Security");
    EXPECT_EQ(policy::SecurityKeyPathFor("VERSION"), "Software\\Microsoft\\Office\\VERSION\\Outlook\\Security");
}

}  // namespace
}  // namespace sarvell::test
