#include "policy/outlook_version.h"

#include "tests/support/backends.h"

namespace sarvell::test {
namespace {

using namespace registry;
using policy::GetOutlookVersion;

// The real CurVer key: one per registry, so these tests hold a lock on it
// and put back what they found.
class OutlookVersion : public BackendTest {};
SARVELL_BACKEND_TESTS(OutlookVersion);

TEST_P(OutlookVersion, IsTheProgrammaticNameAfterItsLastDotOrNa) {
    const char* const key = "Outlook.Application\\CurVer";
    const auto saved = GetRaw(P(), HKeyClassesRoot, key, "");
    const std::tuple<std::uint32_t, Bytes, const char*> cases[] = {
        {kRegSz, Sz(".16"), "16.0"},  // the text after the last dot
        {kRegDword, {12, 0, 0, 0}, "12.0"},  // an integer reads as its digits
        {kRegBinary, {'1', '2'}, "n/a"},     // binary data names no version
    };
    for (const auto& [type, data, version] : cases) {
        SetRaw(P(), HKeyClassesRoot, key, "", type, data);
        EXPECT_EQ(GetOutlookVersion(), version);
    }
    DeleteTree(P(), HKeyClassesRoot, "Outlook.Application");
    if (saved) SetRaw(P(), HKeyClassesRoot, key, "", saved->type, saved->data);
    EXPECT_EQ((std::tuple{policy::SecurityKeyPathFor("11.0"), policy::SecurityKeyPathFor("VERSION")}),
              (std::tuple{"Software\\Microsoft\\Office\\11.0\\Outlook\\Security",
                          "Software\\Microsoft\\Office\\VERSION\\Outlook\\Security"}));  // the text put in is not searched again
}

}  // namespace
}  // namespace sarvell::test
