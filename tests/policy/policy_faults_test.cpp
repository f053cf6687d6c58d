// Failures under the commands: reads that fail, lists an error left half
// filled or another program overtook, and every platform call failing in turn.
#include <gtest/gtest.h>

#include "policy/catalogue.h"
#include "policy/list_value.h"
#include "policy/security_policy.h"
#include "registry/memory_store.h"
#include "tests/support/backends.h"
#include "tests/support/fault_injection.h"
#include "tests/support/memory_view.h"
#include "tests/support/policy_model.h"

namespace sarvell::test {
namespace {

using namespace registry;
using namespace policy;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

void Store(MemoryStore& store, const char* name, const std::string& text) {
    SetRaw(store, HKeyCurrentUser, kKey, name, kRegSz, Sz(text));
}

std::optional<Status> FailReadsOf(const CallInfo& call, std::string_view value) {
    if (call.call == Call::QueryValue && call.name == value) return status::AccessDenied;
    return std::nullopt;
}

TEST(PolicyFaults, AFailedReadNeverBecomesAnOverwrite) {
    MemoryStore store;
    PlatformScope scope(store);
    Store(store, "Level1Remove", ".bat;.com");
    Store(store, "Level1Add", ".zip");
    MemoryView view;
    SecurityPolicy policy(view, kKey);
    view.safeView = false;
    policy.ViewSwitch(1);
    store.FailWhen([](const CallInfo& c) { return FailReadsOf(c, "Level1Remove"); });
    ASSERT_TRUE(view.Select(".exe - Executable File"));
    policy.MarkClick();
    store.FailWhen([](const CallInfo& c) { return FailReadsOf(c, "Level1Add"); });
    view.extension = ".rar";
    policy.AddClick();
    store.ClearFaults();
    EXPECT_EQ(ReadList(store, kKey, "Level1Remove").entries, (std::vector<std::string>{".bat", ".com"}));
    EXPECT_EQ(ReadList(store, kKey, "Level1Add").entries, std::vector<std::string>{".zip"});
    EXPECT_EQ(view.extension, ".rar");
}

TEST(PolicyFaults, AHalfFilledOrOvertakenListIsNotWrittenBack) {
    MemoryStore store;
    PlatformScope scope(store);
    Store(store, "Level1Remove", ".a;.b;.c;.d");
    MemoryView view;
    SecurityPolicy policy(view, kKey);
    view.appendsLeft = 2;  // the list runs out of room after two rows
    policy.RefreshList();
    ASSERT_EQ(view.rows, (std::vector<std::string>{".a", ".b"}));
    view.appendsLeft = -1;
    view.selected = 0;
    policy.MarkClick();
    EXPECT_EQ(ReadList(store, kKey, "Level1Remove").entries, (std::vector<std::string>{".a", ".b", ".c", ".d"}));
    // Instead the list is filled again, and the next click works.
    EXPECT_EQ(view.rows, ExpectedRows(store, kKey, true));
    Store(store, "Level1Remove", ".new;.a;.b;.c;.d");  // another program adds an entry
    view.selected = 0;
    policy.MarkClick();
    EXPECT_EQ(ReadList(store, kKey, "Level1Remove").entries.size(), 5u);
    view.selected = 1;
    policy.MarkClick();
    EXPECT_EQ(ReadList(store, kKey, "Level1Remove").entries, (std::vector<std::string>{".new", ".b", ".c", ".d"}));

    Store(store, "Level1Add", ".x;.y");
    view.safeView = false;
    policy.ViewSwitch(1);
    Store(store, "Level1Add", ".x;.y;.z");
    ASSERT_TRUE(view.Select(".x - User Applied"));
    policy.MarkClick();
    EXPECT_EQ(ReadList(store, kKey, "Level1Add").entries, (std::vector<std::string>{".x", ".y", ".z"}));
}

// For each command, every platform call fails in turn, once and from then
// on: every entry stored before is still stored afterwards, except the one
// the command was asked to remove, and a refreshed list shows the store.
struct Command {
    const char* name;
    bool safeView;
    const char* selectRow;  // nullptr for the add command
    const char* value;      // the list value the command changes
    std::optional<std::string> removes;
};

TEST(PolicyFaults, EveryFailedCallKeepsEveryOtherEntry) {
    const Command commands[] = {
        {"mark safe", false, ".exe - Executable File", "Level1Remove", std::nullopt},
        {"mark blocked", true, ".bat", "Level1Remove", ".bat"},
        {"mark blocked, last row", true, ".only", "Level1Remove", ".only"},
        {"remove a user row", false, ".zip - User Applied", "Level1Add", ".zip"},
        {"remove the last user row", false, ".one - User Applied", "Level1Add", ".one"},
        {"add", false, nullptr, "Level1Add", std::nullopt},
    };
    std::size_t total = 0;
    for (const Command& cmd : commands) {
        SCOPED_TRACE(cmd.name);
        const bool lastRow = std::string(cmd.name).find("last") != std::string::npos;
        const std::string removeText = lastRow && cmd.safeView ? ".only" : ".bat;%X%;.COM";
        const std::string addText = lastRow && !cmd.safeView ? ".one" : ".zip;;.a-b;.rar";
        ListState before;
        std::unique_ptr<MemoryView> view;
        std::unique_ptr<SecurityPolicy> policy;
        total += RunFaultMatrix(FaultMatrix{
            status::AccessDenied,
            [&](MemoryStore& store) {
                Store(store, "Level1Remove", removeText);
                Store(store, "Level1Add", addText);
                before = ReadList(store, kKey, cmd.value);
                view = std::make_unique<MemoryView>();
                policy = std::make_unique<SecurityPolicy>(*view, kKey);
                view->safeView = cmd.safeView;
                policy->ViewSwitch(cmd.safeView ? 0 : 1);
                if (cmd.selectRow) {
                    ASSERT_TRUE(view->Select(cmd.selectRow));
                }
                view->extension = "new";
            },
            [&] { cmd.selectRow ? policy->MarkClick() : policy->AddClick(); },
            [&](const FaultRun& run, MemoryStore& store) {
                EXPECT_FALSE(run.Raised());
                const ListState after = ReadList(store, kKey, cmd.value);
                EXPECT_EQ(LostEntries(before, after, cmd.removes), "");
                if (!run.faultFired) {  // the clean run did what was asked
                    EXPECT_NE(after.entries, before.entries);
                }
                policy->RefreshList();
                EXPECT_EQ(view->rows, ExpectedRows(store, kKey, cmd.safeView));
            },
        });
    }
    std::cout << "fault matrix: " << total << " runs over " << std::size(commands) << " commands\n";
    RecordProperty("fault_runs", static_cast<int>(total));
    EXPECT_GT(total, 60u);
}

}  // namespace
}  // namespace sarvell::test
