// Failures under the commands: reads that fail, lists an error left half
// filled or another program overtook, and every platform call failing in turn.
#include <gtest/gtest.h>

#include "policy/security_policy.h"
#include "tests/support/fault_injection.h"
#include "tests/support/memory_view.h"
#include "tests/support/policy_model.h"

namespace sarvell::test {
namespace {

using namespace registry;
using namespace policy;
using V = std::vector<std::string>;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

class PolicyFaults : public ::testing::Test {
protected:
    void Store(const char* name, const std::string& text) { SetRaw(store_, HKeyCurrentUser, kKey, name, kRegSz, Sz(text)); }
    V Entries(const char* name) { return ReadList(store_, kKey, name).entries; }
    void Click(int row, bool safeView) {
        view_.safeView = safeView;
        view_.selected = row;
        policy_.MarkClick();
    }
    MemoryStore store_;
    PlatformScope scope_{store_};
    MemoryView view_;
    SecurityPolicy policy_{view_, kKey};
};

TEST_F(PolicyFaults, AFailedReadNeverBecomesAnOverwrite) {
    Store("Level1Remove", ".bat;.com");
    Store("Level1Add", ".zip");
    view_.safeView = false;
    policy_.ViewSwitch(1);
    store_.FailWhen([](const CallInfo& c) -> std::optional<Status> {
        if (c.call == Call::QueryValue) return status::AccessDenied;
        return std::nullopt;
    });
    Click(view_.Find(".exe - Executable File"), false);
    view_.extension = ".rar";
    policy_.AddClick();
    store_.ClearFaults();
    EXPECT_EQ(Entries("Level1Remove"), (V{".bat", ".com"}));
    EXPECT_EQ(Entries("Level1Add"), V{".zip"});
    EXPECT_EQ(view_.extension, ".rar");
}

TEST_F(PolicyFaults, AHalfFilledOrOvertakenListIsFilledAgainNotWrittenBack) {
    Store("Level1Remove", ".a;.b;.c;.d");
    view_.appendsLeft = 2;  // the list runs out of room after two rows
    policy_.RefreshList();
    ASSERT_EQ(view_.rows, (V{".a", ".b"}));
    view_.appendsLeft = -1;
    Click(0, true);
    EXPECT_EQ(Entries("Level1Remove"), (V{".a", ".b", ".c", ".d"}));
    EXPECT_EQ(view_.rows, ExpectedRows(store_, kKey, true));
    Store("Level1Remove", ".a;.B;.c;.d");  // another program changes an entry
    Click(0, true);
    EXPECT_EQ(Entries("Level1Remove"), (V{".a", ".B", ".c", ".d"}));
    EXPECT_EQ(view_.rows, ExpectedRows(store_, kKey, true));
    Click(1, true);  // now the list is current
    EXPECT_EQ(Entries("Level1Remove"), (V{".a", ".c", ".d"}));

    Store("Level1Add", ".x;.y");
    view_.safeView = false;
    policy_.ViewSwitch(1);
    Store("Level1Add", ".x;.y;.z");
    Click(view_.RowCount() - 2, false);  // ".x - User Applied"
    EXPECT_EQ(Entries("Level1Add"), (V{".x", ".y", ".z"}));
    EXPECT_EQ(view_.rows, ExpectedRows(store_, kKey, false));
}

// For each command, every platform call fails in turn, once and from then
// on: every entry stored before is still stored afterwards, except the one
// the command was asked to remove; nothing is added but what it was asked to
// add; and a refreshed list shows the store.
TEST(PolicyFaultMatrix, EveryFailedCallKeepsEveryOtherEntry) {
    struct Command {
        bool safeView;
        const char* row;  // the row clicked, or nullptr for the add command
        const char* remove;
        const char* add;
        const char* value;  // the list value the command changes
        std::optional<std::string> removes, adds;
    };
    const Command commands[] = {
        {false, ".exe - Executable File", ".bat;%X%;.COM", ".zip", "Level1Remove", {}, ".exe"},
        {true, ".bat", ".bat;%X%;.COM", ".zip", "Level1Remove", ".bat", {}},
        {true, ".only", ".only", ".zip", "Level1Remove", ".only", {}},
        {false, ".zip - User Applied", ".bat;%X%;.COM", ".zip;;.a-b;.rar", "Level1Add", ".zip", {}},
        {false, ".one - User Applied", ".bat;%X%;.COM", ".one", "Level1Add", ".one", {}},
        {false, nullptr, ".bat;%X%;.COM", ".zip;;.a-b;.rar", "Level1Add", {}, ".new"},
    };
    for (const Command& cmd : commands) {
        SCOPED_TRACE(cmd.row ? cmd.row : "add");
        ListState before;
        std::optional<MemoryView> view;
        std::optional<SecurityPolicy> policy;
        const std::size_t runs = RunFaultMatrix({
            [&](MemoryStore& store) {
                SetRaw(store, HKeyCurrentUser, kKey, "Level1Remove", kRegSz, Sz(cmd.remove));
                SetRaw(store, HKeyCurrentUser, kKey, "Level1Add", kRegSz, Sz(cmd.add));
                before = ReadList(store, kKey, cmd.value);
                view.emplace();
                policy.emplace(*view, kKey);
                view->safeView = cmd.safeView;
                policy->RefreshList();
                view->selected = cmd.row ? view->Find(cmd.row) : -1;
                ASSERT_TRUE(!cmd.row || view->selected >= 0);
                view->extension = "new";
            },
            [&] { cmd.row ? policy->MarkClick() : policy->AddClick(); },
            [&](const FaultRun& run, MemoryStore& store) {
                const ListState after = ReadList(store, kKey, cmd.value);
                EXPECT_EQ(LostEntries(before, after, cmd.removes), "");
                const V gained = GainedEntries(before, after);
                EXPECT_EQ(gained, run.faultFired && gained.empty() ? V{} : (cmd.adds ? V{*cmd.adds} : V{}));
                if (!run.faultFired) {
                    EXPECT_NE(after.entries, before.entries) << "the clean run did nothing";
                }
                policy->RefreshList();
                EXPECT_EQ(view->rows, ExpectedRows(store, kKey, cmd.safeView));
            },
        });
        EXPECT_GT(runs, 10u);
    }
}

}  // namespace
}  // namespace sarvell::test
