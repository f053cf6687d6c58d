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
using V = std::vector<std::string>;

TEST(Catalogue, HoldsTheSeventyOneRowsAndTheNewerTypesInOrder) {
    std::string joined, newer;
    for (std::string_view row : kCatalogue) joined.append(row).append("\n");
    EXPECT_TRUE(Pins(joined, 0xbd890001e4c57647u));
    for (const NewerType& t : kNewerTypes) newer.append(NewerRow(t)).append("\n");
    EXPECT_TRUE(Pins(newer, 0x48ed0e95bd1f075bu));
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
    EXPECT_EQ((std::tuple{SecurityKeyPathFor("11.0"), SecurityKeyPathFor("VERSION")}),
              (std::tuple{"Software\\Microsoft\\Office\\11.0\\Outlook\\Security",
                          "Software\\Microsoft\\Office\\VERSION\\Outlook\\Security"}));  // the text put in is not searched again
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
    SetRaw(store, HKeyCurrentUser, "Software\\Policies\\Microsoft\\Office\\16.0\\Outlook\\Security", "AdminSecurityMode", kRegDword,
           {3, 0, 0, 0});
    MemoryView view;
    view.extension = ".b";
    SecurityPolicy(view, key, "16.0").AddClick();
    MemoryView other;
    SecurityPolicy(other, key, "16.0").RefreshList();
    const std::string version = GetOutlookVersion();
    const std::string none = other.policyNote;
    store.FailWhen([](const CallInfo& c) -> std::optional<Status> { return c.call == Call::SetValue ? throw std::bad_alloc() : std::nullopt; });
    SecurityPolicy(other, key, "16.0").AddClick();  // memory that runs out in the write: as a write that failed
    store.ClearFaults();
    EXPECT_EQ((std::tuple{version, GetRaw(store, HKeyCurrentUser, key, "Level1Add")->data, view.extension, view.policyNote, none, other.policyNote}),
              (std::tuple{"n/a", Sz(".a"), ".b", kNoteNotSaved, "", kNoteNotSaved}));  // a policy that cannot be read is none
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
        {".MDZ;.ws", {}, 1, exe, "", ".exe;.MDZ;.ws", {}},  // the blocked view hides .mdz and .ws*, the z too folded
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
        EXPECT_EQ(StoredText(P(), key_, "Level1Remove"), c.removeAfter);
        EXPECT_EQ(StoredText(P(), key_, "Level1Add"), c.addAfter);
        EXPECT_EQ(view_.rows, ExpectedRows(P(), key_, c.view == 0));
        EXPECT_EQ(view_.extension, c.select ? ".kept" : "");
    }
}

// The title's note, read afresh at every fill: what decides above the
// lists, the most decisive first, each value Cloud Policy's where it sets
// one, else Group Policy's; only DWORDs count.
TEST_P(Policy, TheTitleSaysWhatDecidesAboveTheLists) {
    const std::string g = "Software\\Policies\\Microsoft\\Office\\16.0\\Outlook", c = "Software\\Policies\\Microsoft\\Cloud\\Office\\16.0\\Outlook",
                      gs = g + "\\Security", cs = c + "\\Security", prefs = "Software\\Microsoft\\Office\\16.0\\Outlook\\Preferences";
    using Set = std::tuple<std::string, const char*, Variant>;  // a key, a name and a DWORD or a text
    const auto mode = [](const std::string& key, int n = 3) { return Set{key, "AdminSecurityMode", n}; };
    const auto allow = [](const std::string& key, int n = 1) { return Set{key, "AllowUsersToLowerAttachments", n}; };
    const auto added = [](const std::string& key, const char* list) { return Set{key, "FileExtensionsAddLevel1", list}; };
    const auto disallow = [](const std::string& key, Variant v = 1) { return Set{key, "DisallowAttachmentCustomization", v}; };
    const std::string gIgnores = " [Group Policy ignores your safe list]", cIgnores = " [Cloud Policy ignores your safe list]";
    const std::tuple<std::vector<Set>, std::string, const char*> cases[] = {
        {{mode(gs, 2), added(gs, ".exe")}, "", "16.0"}, {{Set{gs, "AdminSecurityMode", "3"}}, "", "16.0"},
        {{mode(gs)}, gIgnores, "16.0"}, {{mode(gs), allow(gs, 0)}, gIgnores, "16.0"},
        {{mode(gs), allow(gs), added(gs, ".exe;.zip")}, " [Group Policy keeps some types blocked]", "16.0"},
        {{mode(gs), allow(gs), added(gs, ";")}, " [Managed by Group Policy]", "16.0"},  // no extension in the list
        {{mode(cs), allow(gs)}, " [Managed by Cloud Policy]", "16.0"}, {{mode(gs), allow(gs), allow(cs, 0)}, cIgnores, "16.0"},
        {{mode(gs), allow(gs), added(cs, ".bat")}, " [Cloud Policy keeps some types blocked]", "16.0"},
        {{mode(gs), allow(gs), added(cs, ""), added(gs, ".bat")}, " [Managed by Group Policy]", "16.0"},
        {{disallow(g)}, gIgnores, "16.0"}, {{disallow(gs)}, gIgnores, "16.0"},
        {{disallow(c), mode(gs), allow(gs), added(gs, ".exe")}, cIgnores, "16.0"}, {{disallow(c, 0), disallow(g)}, "", "16.0"},
        {{Set{prefs, "UseNewOutlook", 1}, disallow(c)}, " [The new Outlook ignores your lists]", "16.0"},
        {{Set{prefs, "UseNewOutlook", 1}}, "", "12.0"},
    };
    for (const auto& [sets, note, version] : cases) {
        for (const std::string& key : {g, c, prefs}) DeleteTree(P(), HKeyCurrentUser, key);
        for (const auto& [key, name, value] : sets) {
            const auto* n = std::get_if<std::int32_t>(&value);
            SetRaw(P(), HKeyCurrentUser, key, name, n ? kRegDword : kRegSz, n ? Bytes{std::uint8_t(*n), 0, 0, 0} : Sz(ToText(value)));
        }
        SecurityPolicy(view_, key_, version).RefreshList();
        EXPECT_EQ(view_.policyNote, note) << sets.size() << " values, the first " << std::get<0>(sets[0]) << " " << std::get<1>(sets[0]);
    }
    SecurityPolicy policy(view_, key_, "16.0");
    policy.RefreshList();  // the last row's new Outlook, now for 16.0
    for (const char* key : {"Software\\Policies", "Software\\Microsoft\\Office\\16.0"}) DeleteTree(P(), HKeyCurrentUser, key);
    policy.ViewSwitch(2);  // taken away while the window is open; a click of no button reads nothing
    EXPECT_EQ(view_.policyNote, " [The new Outlook ignores your lists]");
    view_.safeView = false;
    policy.ViewSwitch(1);
    KeyHandle key(P());  // read, never made
    EXPECT_EQ((std::tuple{view_.policyNote, P().OpenKey(RootHandle(HKeyCurrentUser), "Software\\Policies", kKeyQueryValue, key.put()),
                          P().OpenKey(RootHandle(HKeyCurrentUser), prefs, kKeyQueryValue, key.put())}), (std::tuple{"", status::FileNotFound, status::FileNotFound}));
    // With no Outlook registered, after a change; why the last click changed
    // nothing before what decides above the lists.
    SecurityPolicy none(view_, key_, "n/a");
    none.RefreshList();
    V notes{view_.policyNote};
    none.AddClick();
    notes.push_back(view_.policyNote);
    SetRaw(P(), HKeyCurrentUser, g, "DisallowAttachmentCustomization", kRegDword, {1, 0, 0, 0});
    SetRaw(P(), HKeyCurrentUser, key_, "Level1Add", kRegMultiSz, Data(std::string(".a\0\0", 4)));
    policy.AddClick();
    EXPECT_EQ((V{notes[0], notes[1], view_.policyNote}), (V{"", kNoteNoOutlook, " [Level1Add is not text: left as it is]"}));
    DeleteTree(P(), HKeyCurrentUser, "Software\\Policies");
}

// After a command changed a list while an Outlook ran, until no Outlook
// that ran then still runs; never for a running Outlook alone; after any
// note of what decides above the lists.
TEST_P(Policy, SaysRestartOutlookAfterAChangeWhileOneRuns) {
    static std::vector<Process> running;
    running = {{7, 70}};
    Given(".a", {});
    SecurityPolicy policy(view_, key_, "16.0", [] { return running; });
    V notes;
    const auto fill = [&] { policy.RefreshList(), notes.push_back(view_.policyNote); };
    fill();
    Select(".a");
    policy.MarkClick();  // in the safe view, where no fill follows
    notes.push_back(view_.policyNote);
    SetRaw(P(), HKeyCurrentUser, "Software\\Policies\\Microsoft\\Office\\16.0\\Outlook", "DisallowAttachmentCustomization", kRegDword, {1, 0, 0, 0});
    fill();
    DeleteTree(P(), HKeyCurrentUser, "Software\\Policies");
    fill();
    running = {{7, 71}, {8, 80}};  // that Outlook ended and its id was taken again; another started since
    fill();
    EXPECT_EQ(notes, (V{"", " [Restart Outlook to apply]", " [Group Policy ignores your safe list]", " [Restart Outlook to apply]", ""}));
}

// The newer types on request alone, after the catalogue and before the
// user rows, each hidden by its whole extension alone and marked safe by the
// table's, "-" and all; and typing finds a row by its extension.
TEST_P(Policy, NewerTypesShowOnRequestAndAreMarkedSafeWhole) {
    Given(".PY;.ps", ".zip");
    Show(1);
    const int classic = int(view_.rows.size()) - 1;  // less the user row
    view_.newerTypes = true;
    policy_->RefreshList();
    const auto at = [&](const char* row) { return int(std::find(view_.rows.begin(), view_.rows.end(), row) - view_.rows.begin()); };
    // Right after the catalogue, the user row last; .py hidden whole, .pyc and .ps1 kept.
    EXPECT_EQ((std::tuple{view_.rows, at(".apk - Android Package"), at(".py - Python File"), at(".pyc - Compiled Python File"), view_.rows.back()}),
              (std::tuple{ExpectedRows(P(), key_, false, true), classic, int(view_.rows.size()), classic + 47, ".zip - User Applied"}));
    EXPECT_EQ((std::tuple{FindTypedRow(view_, "PS1"), FindTypedRow(view_, ".sc"), FindTypedRow(view_, "pyz"), FindTypedRow(view_, "q")}),
              (std::tuple{at(".ps1 - Windows PowerShell Script"), at(".scf - Windows Explorer Command"),
                          at(".pyz - Python Zip Application File"), -1}));
    Select(".library-ms - Windows Library Description File");
    policy_->MarkClick();
    EXPECT_EQ(StoredText(P(), key_, "Level1Remove"), ".library-ms;.PY;.ps");
    EXPECT_EQ(view_.rows, ExpectedRows(P(), key_, false, true));  // the model's: an empty entry, for one, hides no newer type
}

// A list of another type, a multi-string among them, keeps every byte and
// its type through every command, and the title names it until it is text.
TEST_P(Policy, ValuesOfOtherTypesAreNeverWritten) {
    const RawValue multi{kRegMultiSz, Data(std::string(".exe\0.bat\0.js\0\0", 16))};
    for (const RawValue& other : {RawValue{kRegDword, {5, 0, 0, 0}}, RawValue{kRegBinary, {'.', 'z'}}, multi}) {
        for (const char* name : {"Level1Remove", "Level1Add"}) SetRaw(P(), HKeyCurrentUser, key_, name, other.type, other.data);
        Show(0);
        view_.selected = 0;
        policy_->MarkClick();
        const std::string removeNote = view_.policyNote;
        Show(1);
        Select(".ade - Access Project Extension (Microsoft)");
        policy_->MarkClick();
        view_.selected = int(view_.rows.size()) - 1;  // a user row, as far as it shows one
        policy_->MarkClick();
        view_.extension = ".x";
        policy_->AddClick();  // refused: the text stays for another try
        EXPECT_EQ((std::tuple{*GetRaw(P(), HKeyCurrentUser, key_, "Level1Remove"), *GetRaw(P(), HKeyCurrentUser, key_, "Level1Add"),
                              view_.extension, removeNote, view_.policyNote}),
                  (std::tuple{other, other, ".x", " [Level1Remove is not text: left as it is]",
                              " [Level1Add is not text: left as it is]"}));
    }
    SetRaw(P(), HKeyCurrentUser, key_, "Level1Remove", kRegSz, Sz(".a"));  // a change stored ends the note, Level1Add as it is
    Select(".ade - Access Project Extension (Microsoft)");
    policy_->MarkClick();
    const std::string stored = view_.policyNote;
    policy_->AddClick();  // refused again
    Given({}, ".y");  // text again: the note goes at the next fill
    Show(1);
    EXPECT_EQ((V{stored, view_.policyNote}), (V{"", ""}));
}

}  // namespace
}  // namespace sarvell::test
