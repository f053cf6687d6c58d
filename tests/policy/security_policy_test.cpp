// Views and commands over the memory store and, under Wine, the registry.
#include "policy/security_policy.h"

#include "policy/catalogue.h"
#include "policy/list_value.h"
#include "policy/mod_registry.h"
#include "registry/cRegistry.h"
#include "tests/support/backends.h"
#include "tests/support/memory_view.h"

namespace sarvell::test {
namespace {

using namespace registry;
using namespace policy;
using V = std::vector<std::string>;

class Policy : public BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        policy_ = std::make_unique<SecurityPolicy>(view_, Path("Security"));
    }
    void StoreRemove(const std::string& text) { SetRaw(P(), HKeyCurrentUser, Path("Security"), "Level1Remove", kRegSz, Sz(text)); }
    void StoreAdd(const std::string& text) { SetRaw(P(), HKeyCurrentUser, Path("Security"), "Level1Add", kRegSz, Sz(text)); }
    std::optional<std::string> Stored(const char* name) {
        const auto raw = GetRaw(P(), HKeyCurrentUser, Path("Security"), name);
        if (!raw) return std::nullopt;
        std::string text(raw->data.begin(), raw->data.end());
        if (!text.empty() && text.back() == '\0') text.pop_back();
        return text;
    }
    void Show(int index) {
        view_.safeView = index == 0;
        policy_->ViewSwitch(static_cast<std::int16_t>(index));
    }
    void Mark(const std::string& row) {
        ASSERT_TRUE(view_.Select(row)) << row;
        policy_->MarkClick();
    }
    void Add(const std::string& typed) {
        view_.extension = typed;
        policy_->AddClick();
    }
    V Catalogue() const { return V(kCatalogue.begin(), kCatalogue.end()); }
    V CatalogueWithout(const std::vector<std::string_view>& gone) const {
        V rows;
        for (std::string_view r : kCatalogue) {
            if (std::find(gone.begin(), gone.end(), r.substr(0, r.find(' '))) == gone.end()) rows.emplace_back(r);
        }
        return rows;
    }

    MemoryView view_;
    std::unique_ptr<SecurityPolicy> policy_;
};
SARVELL_BACKEND_TESTS(Policy);

TEST_P(Policy, RegistryProceduresReadWriteAndDelete) {
    const std::string key = Path("Security");
    EXPECT_EQ(GetRegValue(key, "Level1Add", "none"), "none");  // no key
    SetRegValue(key, "Level1Add", ".zip;%TEMP%;x%");
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, key, "Level1Add")->type, static_cast<std::uint32_t>(kRegExpandSz));
    EXPECT_EQ(GetRegValue(key, "Level1Add", "none"), ".zip;%TEMP%;x%");  // as stored, not expanded
    EXPECT_EQ(GetRegValue(key, "Level1Remove", "none"), "none");      // no value
    SetRegValue(key, "Level1Remove", "");
    EXPECT_EQ(GetRegValue(key, "Level1Remove", "none"), "none");      // empty text
    SetRegValue(key, "Level1Remove", ".EXE");
    EXPECT_EQ(GetRegValue(key, "Level1Remove", "none"), ".EXE");
    DeleteRegValue(key, "Level1Remove");
    EXPECT_FALSE(Stored("Level1Remove"));
    DeleteRegValue(Path("Missing"), "Level1Remove");  // a missing key is nothing to do
    EXPECT_THROW(DeleteRegValue(key, "Level1Remove"), RegistryError);
}

TEST_P(Policy, BlockedViewFiltersTheCatalogueAndAppendsUserRows) {
    Show(1);
    EXPECT_EQ(view_.rows, Catalogue());
    StoreRemove(".exe;.bat");
    StoreAdd(".zip;.rar;.exe");
    policy_->RefreshList();
    V expected = CatalogueWithout({".exe", ".bat"});
    ASSERT_EQ(expected.size(), 69u);
    for (const char* e : {".zip", ".rar", ".exe"}) expected.push_back(std::string(e) + " - User Applied");
    EXPECT_EQ(view_.rows, expected);

    const std::pair<const char*, std::vector<std::string_view>> filters[] = {
        {".EXE", {".exe"}},
        {".ws", {".ws", ".wsc", ".wsf", ".wsh"}},
        {".vb", {".vb", ".vbe", ".vbs"}},
        {".js", {".js", ".jse"}},
        {".net", {".vsmacros"}},
        {"none;.com", {".com"}},
    };
    StoreAdd("none;.zip");  // a first entry "none" hides every user row
    for (const auto& [stored, gone] : filters) {
        StoreRemove(stored);
        policy_->RefreshList();
        EXPECT_EQ(view_.rows, CatalogueWithout(gone)) << stored;
    }
    StoreRemove(".exe;");  // an empty entry occurs in every row
    policy_->RefreshList();
    EXPECT_EQ(view_.rows, V{});
}

TEST_P(Policy, SafeViewListsTheStoredEntries) {
    Show(0);
    EXPECT_EQ(view_.rows, V{});
    StoreRemove(".exe;.bat");
    policy_->RefreshList();
    EXPECT_EQ(view_.rows, (V{".exe", ".bat"}));
    StoreRemove(".EXE;;.b;");
    policy_->RefreshList();
    EXPECT_EQ(view_.rows, (V{".EXE", "", ".b", ""}));
    StoreRemove("none;.exe");
    policy_->RefreshList();
    EXPECT_EQ(view_.rows, V{});
}

TEST_P(Policy, ViewSwitchSetsTheButtons) {
    Show(1);
    EXPECT_EQ(view_.markCaption, "Mark as safe");
    EXPECT_TRUE(view_.addEnabled);
    Show(0);
    EXPECT_EQ(view_.markCaption, "Mark as blocked");
    EXPECT_FALSE(view_.addEnabled);
    view_.rows = {"kept"};
    policy_->ViewSwitch(2);
    EXPECT_EQ(view_.rows, V{"kept"});
}

TEST_P(Policy, MarkingSafeAndBlockedAgain) {
    Show(1);
    Mark(".exe - Executable File");
    EXPECT_EQ(Stored("Level1Remove"), ".exe");
    EXPECT_FALSE(view_.Select(".exe - Executable File"));
    Mark(".cmd - DOS CP/M Command File, Command File for Windows NT");
    EXPECT_EQ(Stored("Level1Remove"), ".cmd;.exe");
    Show(0);
    EXPECT_EQ(view_.rows, (V{".cmd", ".exe"}));
    Mark(".cmd");
    EXPECT_EQ(Stored("Level1Remove"), ".exe");
    EXPECT_EQ(view_.rows, V{".exe"});
    Mark(".exe");
    EXPECT_FALSE(Stored("Level1Remove"));  // the last one deletes the value
    EXPECT_EQ(view_.rows, V{});
}

TEST_P(Policy, MarkingSafeKeepsWhatIsStored) {
    StoreRemove(".bat;");
    Show(1);
    EXPECT_EQ(view_.rows, V{});  // the empty entry hides the whole catalogue
    StoreRemove(".bat");
    policy_->RefreshList();
    Mark(".exe - Executable File");
    EXPECT_EQ(Stored("Level1Remove"), ".exe;.bat");
    StoreRemove("none");
    policy_->RefreshList();
    Mark(".exe - Executable File");
    EXPECT_EQ(Stored("Level1Remove"), ".exe");  // "none" reads as no list
}

TEST_P(Policy, RemovingUserRows) {
    StoreAdd(".zip;.rar");
    Show(1);
    Mark(".zip - User Applied");
    EXPECT_EQ(Stored("Level1Add"), ".rar");
    EXPECT_EQ(view_.rows.back(), ".rar - User Applied");
    Mark(".rar - User Applied");
    EXPECT_FALSE(Stored("Level1Add"));
    EXPECT_EQ(view_.rows, Catalogue());
    EXPECT_FALSE(Stored("Level1Remove"));
}

TEST_P(Policy, EntriesWithDashesAndBlanksStayWhole) {
    StoreAdd(" .a-b ;;.x - y;.zip");
    Show(1);
    Mark(".x - y - User Applied");
    EXPECT_EQ(Stored("Level1Add"), " .a-b ;;.zip");
    EXPECT_FALSE(Stored("Level1Remove"));  // no fragment of the entry became safe
    Mark(" - User Applied");               // the empty entry
    EXPECT_EQ(Stored("Level1Add"), " .a-b ;.zip");
    Mark(" .a-b  - User Applied");
    EXPECT_EQ(Stored("Level1Add"), ".zip");
}

TEST_P(Policy, AddingExtensions) {
    Show(1);
    Add("zip");
    EXPECT_EQ(Stored("Level1Add"), ".zip");
    EXPECT_EQ(view_.extension, "");
    Add(".rar");
    EXPECT_EQ(Stored("Level1Add"), ".rar;.zip");
    EXPECT_EQ(V(view_.rows.end() - 2, view_.rows.end()), (V{".rar - User Applied", ".zip - User Applied"}));
    Add("");
    EXPECT_EQ(Stored("Level1Add"), ".;.rar;.zip");
    Add(".a;.b");
    EXPECT_EQ(Stored("Level1Add"), ".a;.b;.;.rar;.zip");
    Add(".rar");  // no duplicate check
    EXPECT_EQ(std::count(view_.rows.begin(), view_.rows.end(), ".rar - User Applied"), 2);
}

TEST_P(Policy, UnusualTypedTextIsStoredAsTyped) {
    Show(1);
    const std::string wide = "\xC3\xA4\xE2\x82\xAC";
    const std::string longText(32767, 'x');
    for (const std::string& typed : {std::string("%TEMP%"), wide, std::string("a-b"), longText}) {
        Add(typed);
        EXPECT_EQ(SplitEntries(*Stored("Level1Add")).front(), "." + typed);
    }
    // "%TEMP%" made the value expandable, and it still reads back unexpanded.
    Add(".last");
    EXPECT_EQ(*Stored("Level1Add"), ".last;." + longText + ";.a-b;." + wide + ";.%TEMP%");
    Mark(".%TEMP% - User Applied");
    EXPECT_EQ(*Stored("Level1Add"), ".last;." + longText + ";.a-b;." + wide);
}

TEST_P(Policy, NothingSelectedDoesNothing) {
    StoreRemove(".exe");
    for (int index : {0, 1}) {
        Show(index);
        view_.selected = -1;
        policy_->MarkClick();
        view_.selected = 1000;
        policy_->MarkClick();
        EXPECT_EQ(Stored("Level1Remove"), ".exe");
    }
}

TEST_P(Policy, ValuesOfOtherTypesAreNeverOverwritten) {
    SetRaw(P(), HKeyCurrentUser, Path("Security"), "Level1Remove", kRegDword, {5, 0, 0, 0});
    SetRaw(P(), HKeyCurrentUser, Path("Security"), "Level1Add", kRegBinary, {'.', 'z'});
    Show(0);
    EXPECT_EQ(view_.rows, V{"5"});
    Show(1);
    Mark(".exe - Executable File");
    Add(".rar");
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("Security"), "Level1Remove")->data, (std::vector<std::uint8_t>{5, 0, 0, 0}));
    EXPECT_EQ(GetRaw(P(), HKeyCurrentUser, Path("Security"), "Level1Add")->data, (std::vector<std::uint8_t>{'.', 'z'}));
    EXPECT_EQ(view_.extension, ".rar");  // a failed add leaves the text in the box
}

}  // namespace
}  // namespace sarvell::test
