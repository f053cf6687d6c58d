// The catalogue, the Outlook version lookup, and the views and commands
// over the memory store and, under Wine, the registry.
#include "policy/security_policy.h"

#include <new>

#include "policy/catalogue.h"
#include "policy/group_policy.h"
#include "policy/outlook_version.h"
#include "registry/cRegistry.h"
#include "tests/support/backends.h"
#include "tests/support/policy_model.h"

namespace sarvell::test {
namespace {

using namespace registry;
using namespace policy;
using namespace std::string_literals;

TEST(Catalogue, HoldsTheSeventyOneRowsInOrder) {
    std::string joined;
    for (std::string_view row : kCatalogue) joined.append(row).append("\n");
    joined.pop_back();
    EXPECT_TRUE(Pins(joined, 0xfeb44ecb09f12717u));
}

class OutlookVersion : public BackendTest {};
SARVELL_BACKEND_TESTS(OutlookVersion);

TEST_P(OutlookVersion, IsTheProgrammaticNameAfterItsLastDotOrNa) {
    const char* const key = "Outlook.Application\\CurVer";
    const std::tuple<std::uint32_t, Bytes, const char*> cases[] = {
        {kRegSz, Sz("Outlook.Application.16"), "16.0"},  // the text after the last dot
        {kRegSz, Sz("Outlook"), "Outlook.0"},            // the whole name without one
        {kRegSz, Sz(""), "n/a"},
        {kRegDword, {12, 0, 0, 0}, "12.0"},  // an integer reads as its digits
        {kRegBinary, {'1', '2'}, "n/a"},     // binary data names no version
    };
    for (const auto& [type, data, version] : cases) {
        SetRaw(P(), HKeyClassesRoot, key, "", type, data);
        EXPECT_EQ(GetOutlookVersion(), version);
    }
    DeleteTree(P(), HKeyClassesRoot, "Outlook.Application");
    EXPECT_EQ(GetOutlookVersion(), "n/a");  // no Outlook registered
    EXPECT_EQ((std::tuple{SecurityKeyPathFor("11.0"), SecurityKeyPathFor("VERSION"), PolicyKeyPathFor("n/a")}),
              (std::tuple{"Software\\Microsoft\\Office\\11.0\\Outlook\\Security",
                          "Software\\Microsoft\\Office\\VERSION\\Outlook\\Security",  // the text put in is not searched again
                          "Software\\Policies\\Microsoft\\Office\\n/a\\Outlook\\Security"}));
}

// An exception inside a read (as when memory runs out) makes it a failed
// read: the version is "n/a", no command writes over a list it could not
// read, and no Group Policy is read.
TEST(PolicyFaults, AnExceptionInAReadIsAFailedRead) {
    MemoryStore store;
    PlatformScope scope(store);
    const std::string key = SecurityKeyPathFor("16.0");
    SetRaw(store, HKeyClassesRoot, "Outlook.Application\\CurVer", "", kRegSz, Sz("Outlook.Application.16"));
    SetRaw(store, HKeyCurrentUser, key, "Level1Add", kRegSz, Sz(".a"));
    store.FailWhen([](const CallInfo& c) -> std::optional<Status> {
        if (c.call == Call::QueryValue) throw std::bad_alloc();
        return std::nullopt;
    });
    SetRaw(store, HKeyCurrentUser, PolicyKeyPathFor("16.0"), "AdminSecurityMode", kRegDword, {3, 0, 0, 0});
    MemoryView view;
    view.extension = ".b";
    SecurityPolicy(view, key, PolicyKeyPathFor("16.0")).AddClick();
    const std::string version = GetOutlookVersion();
    store.ClearFaults();
    EXPECT_EQ((std::tuple{version, GetRaw(store, HKeyCurrentUser, key, "Level1Add")->data, view.extension, view.policyNote}),
              (std::tuple{"n/a", Sz(".a"), ".b", ""}));  // a policy that cannot be read is none
}

class Policy : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        key_ = Path("Security");
        policy_.emplace(view_, key_);
    }
    // Stores the two values as another program may have; nothing: absent.
    void Given(const Text& remove, const Text& add) {
        DeleteTree(P(), HKeyCurrentUser, key_);
        for (const auto& [name, text] : {std::pair{"Level1Remove", remove}, std::pair{"Level1Add", add}}) {
            if (text) SetRaw(P(), HKeyCurrentUser, key_, name, HasEnvironmentReference(*text) ? kRegExpandSz : kRegSz, Sz(*text));
        }
    }
    Text Stored(const char* name) { return StoredText(P(), key_, name); }
    void Show(int index) {
        view_.safeView = index == 0;
        policy_->ViewSwitch(static_cast<std::int16_t>(index));
    }
    // Selects the last row that reads `row`.
    void Select(const std::string& row) {
        const auto at = std::find(view_.rows.rbegin(), view_.rows.rend(), row);
        ASSERT_NE(at, view_.rows.rend()) << row;
        view_.selected = static_cast<int>(view_.rows.rend() - at) - 1;
    }

    std::string key_;
    MemoryView view_;
    std::optional<SecurityPolicy> policy_;
};
SARVELL_BACKEND_TESTS(Policy);

// Each command from a stored state, over both backends: the values it
// leaves, and a list that shows exactly what is stored. These rows meet
// what the platform keeps (a new key, a deleted value, zero characters, an
// empty text, a reference); the rest of the commands' logic, each view's
// caption and Add button, is the fuzz corpus's, against its model.
TEST_P(Policy, CommandsWriteTheirChangeAndKeepEverythingElse) {
    struct Case {
        Text remove, add;
        int view;
        const char* select;  // the row clicked (the last that reads so), or nullptr for Add
        const char* typed;
        Text removeAfter, addAfter;
    };
    SetEnv("SARVELL_X", "expanded");
    const char* const exe = ".exe - Executable File";
    const Case cases[] = {
        {{}, {}, 1, exe, "", ".exe", {}},  // the first one makes the key and the value
        {".exe", {}, 0, ".exe", "", {}, {}},  // the last row deletes the value
        {"x\0y;.z"s, {}, 0, ".z", "", "x\0y"s, {}},  // kept whole
        {"x\0y;.z"s, {}, 0, "x", "", ".z", {}},      // removed whole
        {{}, "a\0b;.c"s, 1, "a", "", {}, ".c"},  // never a fragment into Level1Remove
        {{}, ".exe - Executable File\0;.c"s, 1, exe, "", {}, ".c"},
        {{}, "", 1, nullptr, "zip", {}, ".zip"},  // an empty text is no list
        {{}, ".%SARVELL_X%", 1, nullptr, ".b", {}, ".b;.%SARVELL_X%"},  // never expanded
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.select ? c.select : c.typed) + " over " + c.remove.value_or("-") + " | " +
                     c.add.value_or("-"));
        Given(c.remove, c.add);
        Show(c.view);
        view_.extension = c.select ? ".kept" : c.typed;  // only Add takes the text, and empties the box
        if (c.select) {
            Select(c.select);
            policy_->MarkClick();
        } else {
            policy_->AddClick();
        }
        EXPECT_EQ(Stored("Level1Remove"), c.removeAfter);
        EXPECT_EQ(Stored("Level1Add"), c.addAfter);
        EXPECT_EQ(view_.rows, ExpectedRows(P(), key_, c.view == 0));
        EXPECT_EQ(view_.extension, c.select ? ".kept" : "");
    }
}

// The title's note, read afresh at every fill: nothing unless Group Policy
// sets the security mode (a DWORD 3); then the safe list ignored unless
// users may demote attachments, else the types it adds kept blocked.
TEST_P(Policy, TheTitleSaysWhenGroupPolicyDecides) {
    const std::string policies = Path("Policies");
    const Bytes three{3, 0, 0, 0}, one{1, 0, 0, 0};
    const char *ignored = " [Group Policy ignores your safe list]", *someBlocked = " [Group Policy keeps some types blocked]",
               *managed = " [Managed by Group Policy]";
    const std::tuple<std::uint32_t, Bytes, std::optional<Bytes>, Text, const char*> cases[] = {
        {kRegNone, {}, one, ".exe", ""},  // no security mode set by policy
        {kRegDword, {2, 0, 0, 0}, {}, {}, ""}, {kRegSz, Sz("3"), {}, {}, ""},
        {kRegDword, three, {}, ".exe", ignored}, {kRegDword, three, Bytes{0, 0, 0, 0}, {}, ignored},
        {kRegDword, three, one, ".exe;.zip", someBlocked},
        {kRegDword, three, one, ";", managed},  // no extension in the list
    };
    SecurityPolicy policy(view_, key_, policies);
    for (const auto& [type, mode, allow, add, note] : cases) {
        DeleteTree(P(), HKeyCurrentUser, policies);
        if (type != kRegNone) SetRaw(P(), HKeyCurrentUser, policies, "AdminSecurityMode", type, mode);
        if (allow) SetRaw(P(), HKeyCurrentUser, policies, "AllowUsersToLowerAttachments", kRegDword, *allow);
        if (add) SetRaw(P(), HKeyCurrentUser, policies, "FileExtensionsAddLevel1", kRegSz, Sz(*add));
        policy.RefreshList();
        EXPECT_EQ(view_.policyNote, note) << type << " " << ToText(Variant(mode)) << " " << add.value_or("-");
    }
    DeleteTree(P(), HKeyCurrentUser, policies);  // taken away while the window is open
    policy.ViewSwitch(2);                         // a click of no button reads nothing
    EXPECT_EQ(view_.policyNote, managed);
    view_.safeView = false;
    policy.ViewSwitch(1);
    cRegistry reg;
    reg.ClassKey(HKeyCurrentUser);
    reg.SectionKey(policies);
    EXPECT_EQ((std::tuple{view_.policyNote, reg.KeyExists()}), (std::tuple{"", false}));  // read, never made
}

TEST_P(Policy, ValuesOfOtherTypesAreNeverWritten) {
    SetRaw(P(), HKeyCurrentUser, key_, "Level1Remove", kRegDword, {5, 0, 0, 0});
    SetRaw(P(), HKeyCurrentUser, key_, "Level1Add", kRegBinary, {'.', 'z'});
    Show(1);
    Select(".exe - Executable File");
    policy_->MarkClick();
    view_.extension = ".x";
    policy_->AddClick();  // refused: the text stays for another try
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, key_, "Level1Remove")->data, (Bytes{5, 0, 0, 0}));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, key_, "Level1Add")->data, (Bytes{'.', 'z'}));
    EXPECT_EQ(view_.extension, ".x");
}

}  // namespace
}  // namespace sarvell::test
