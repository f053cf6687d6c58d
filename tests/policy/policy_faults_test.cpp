// Failures under the commands: lists an error left half filled or another
// program overtook, and every platform call failing in turn.
#include <gtest/gtest.h>

#include "policy/security_policy.h"
#include "tests/support/fault_injection.h"
#include "tests/support/memory_view.h"
#include "tests/support/policy_model.h"

namespace sarvell::test {
namespace {

using namespace registry;
using V = std::vector<std::string>;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

void Store(Platform& p, const char* name, const std::string& text) { SetRaw(p, HKeyCurrentUser, kKey, name, kRegSz, Sz(text)); }

TEST(PolicyFaults, AHalfFilledOrOvertakenListIsFilledAgainNotWrittenBack) {
    MemoryStore store;
    PlatformScope scope(store);
    MemoryView view;
    policy::SecurityPolicy policy(view, kKey);
    const auto click = [&](int row, bool safeView) {
        view.safeView = safeView;
        view.selected = row;
        policy.MarkClick();
        EXPECT_EQ(view.rows, ExpectedRows(store, kKey, safeView)) << "the list shows the store again";
    };
    Store(store, "Level1Remove", ".a;.b;.c;.d");
    view.appendsLeft = 2;  // the list runs out of room after two rows
    policy.RefreshList();
    view.appendsLeft = -1;
    click(0, true);
    Store(store, "Level1Remove", ".a;.B;.c;.d");  // another program changes an entry
    click(1, true);
    EXPECT_EQ(ReadEntries(store, kKey, "Level1Remove"), (V{".a", ".B", ".c", ".d"}));
    click(1, true);  // now the list is current
    EXPECT_EQ(ReadEntries(store, kKey, "Level1Remove"), (V{".a", ".c", ".d"}));
    Store(store, "Level1Add", ".x;.y");
    view.safeView = false;
    policy.ViewSwitch(1);
    Store(store, "Level1Add", ".x;.y;.z");
    click(view.RowCount() - 2, false);  // ".x - User Applied"
    EXPECT_EQ(ReadEntries(store, kKey, "Level1Add"), (V{".x", ".y", ".z"}));
}

// For each command, every platform call fails in turn, once and from then
// on: every entry stored before is still stored afterwards, except the one
// the command was asked to remove; nothing is added but what it was asked to
// add; and a refreshed list shows the store.
TEST(PolicyFaults, EveryFailedCallKeepsEveryOtherEntry) {
    const std::tuple<bool, const char*, const char*, const char*, const char*, std::optional<std::string>, V> commands[] = {
        // view, row clicked (nullptr: Add), Level1Remove, Level1Add, the value changed, what goes, what comes
        {false, ".exe - Executable File", ".bat;%X%;.COM", ".zip", "Level1Remove", {}, {".exe"}},
        {true, ".bat", ".bat;%X%;.COM", ".zip", "Level1Remove", ".bat", {}},
        {true, ".only", ".only", ".zip", "Level1Remove", ".only", {}},
        {false, ".zip - User Applied", ".bat", ".zip;;.a-b;.rar", "Level1Add", ".zip", {}},
        {false, ".one - User Applied", ".bat", ".one", "Level1Add", ".one", {}},
        {false, nullptr, ".bat", ".zip;;.a-b;.rar", "Level1Add", {}, {".new"}},
    };
    for (const auto& [safeView, row, remove, add, value, removes, adds] : commands) {
        SCOPED_TRACE(row ? row : "add");
        V before;
        std::optional<MemoryView> view;
        std::optional<policy::SecurityPolicy> policy;
        RunFaultMatrix([&](MemoryStore& store) {
                            Store(store, "Level1Remove", remove);
                            Store(store, "Level1Add", add);
                            before = ReadEntries(store, kKey, value);
                            view.emplace();
                            policy.emplace(*view, kKey);
                            view->safeView = safeView;
                            policy->RefreshList();
                            view->selected = row ? view->Find(row) : -1;
                            view->extension = "new";
                        },
                        [&] { row ? policy->MarkClick() : policy->AddClick(); },
                        [&](const FaultRun& run, MemoryStore& store) {
                            const V after = ReadEntries(store, kKey, value), lost = Less(before, ReadEntries(store, kKey, value, true));
                            EXPECT_TRUE(lost.empty() || (removes && lost == V{*removes})) << "lost an entry";
                            const V gained = Less(after, before);
                            EXPECT_TRUE(gained == adds || (run.faultFired && gained.empty()));
                            EXPECT_TRUE(run.faultFired || after != before) << "the clean run did nothing";
                            policy->RefreshList();
                            EXPECT_EQ(view->rows, ExpectedRows(store, kKey, safeView));
                        });
    }
}

}  // namespace
}  // namespace sarvell::test
