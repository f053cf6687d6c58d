// Fuzzes the views and commands: arbitrary Level1Remove and Level1Add values,
// then arbitrary view switches, selections, commands, failing platform calls,
// half-filled lists and values another program rewrites. After every command
// both values must hold exactly what the model says, order and repeats
// included (or, where a platform call failed, what they held before); the
// text box is emptied exactly when an Add is stored; a view switch shows
// exactly what is stored, and a refreshed list too. Each input runs twice:
// with the blocked view as it opens, and with the newer types shown.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "policy/group_policy.h"
#include "policy/security_policy.h"
#include "tests/support/policy_model.h"

namespace sarvell::test {
// The input being run, named when an invariant breaks; the corpus replay sets it.
const char* fuzzInput = "this input";
}  // namespace sarvell::test

namespace {

using namespace sarvell;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

void Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "invariant broken by %s: %s\n", test::fuzzInput, what), std::abort();
}

void Run(const std::uint8_t* data, std::size_t size, bool newer) {
    std::size_t pos = 0;
    const auto byte = [&] { return pos < size ? data[pos++] : std::uint8_t{0}; };
    // Text from a small alphabet, so separators, markers and catalogue extensions turn up often.
    const auto text = [&] {
        static constexpr std::string_view kPieces[] = {
            ".", ";", "-", " ", "%", "e", "x", "E", "w", "s", "b", "a", "t", "none", ".exe", ".ws",
            " - User Applied", "\xC3\xA4", std::string_view("\0", 1), ".bat", ".exe - Executable File"};
        std::string out;
        for (int n = byte() % 12; n > 0; --n) out += kPieces[byte() % std::size(kPieces)];
        return out;
    };
    registry::MemoryStore store;
    registry::PlatformScope scope(store);
    // What another program may store: nothing (0), or a text of a string type.
    const auto store_value = [&](const char* name) {
        const std::uint32_t types[] = {0, 1, 1, 2, 7};
        const std::uint32_t type = types[byte() % std::size(types)];
        std::string value = text();
        if (byte() % 4 != 0) value.push_back('\0');
        if (type != 0) test::SetRaw(store, registry::HKeyCurrentUser, kKey, name, type, test::Data(value));
    };
    store_value("Level1Remove");
    store_value("Level1Add");
    test::MemoryView view;
    view.newerTypes = newer;
    policy::SecurityPolicy policy(view, kKey);
    policy.RefreshList();
    std::uint64_t failCall = 0;  // armed just before the next command, so that the model's reads do not meet it
    bool failOn = false;
    for (int step = 0; step < 24 && pos < size; ++step) {
        const std::uint8_t op = byte() % 8;
        if (op == 0) {  // option button click
            const int index = byte() % 3;
            const auto before = std::tuple{view.rows, view.markCaption, view.addEnabled};
            const bool whole = view.appendsLeft < 0;  // no fill is cut short
            view.safeView = index == 2 ? view.safeView : index == 0;
            policy.ViewSwitch(static_cast<std::int16_t>(index));
            const auto wanted = index == 2 ? before : std::tuple{whole ? test::ExpectedRows(store, kKey, index == 0, newer) : view.rows,
                                                                std::string(index ? "Mark as safe" : "Mark as blocked"), index == 1};
            Check(std::tuple{view.rows, view.markCaption, view.addEnabled} == wanted, "a view switch shows another view");
        } else if (op == 1) {
            view.selected = static_cast<int>(byte() % (view.rows.size() + 2)) - 1;
        } else if (op == 2) {
            view.extension = text();
        } else if (op == 3) {  // a platform call of the next command fails
            failCall = 1 + byte() % 12;
            failOn = byte() % 2 == 0;
        } else if (op == 4) {  // the list runs out of room during the next fill
            view.appendsLeft = byte() % 8;
        } else if (op == 5) {  // another program overtakes the list shown
            store_value(byte() % 2 ? "Level1Remove" : "Level1Add");
        } else {
            const bool add = op == 7;
            const test::Lists before{test::StoredText(store, kKey, "Level1Remove"), test::StoredText(store, kKey, "Level1Add")};
            test::Lists wanted = test::AfterCommand(before, view, add);
            // A value not stored as text (a multi-string) is left exactly as it is.
            const auto type = [&](const char* name) { return test::GetRaw(store, registry::HKeyCurrentUser, kKey, name).value_or(test::RawValue{1, {}}).type; };
            const std::uint32_t types[] = {type("Level1Remove"), type("Level1Add")};
            if (types[0] > 2) wanted.remove = before.remove;
            if (types[1] > 2) wanted.add = before.add;
            const std::string typed = view.extension;
            if (failCall != 0) store.FailCall(std::exchange(failCall, 0), registry::status::AccessDenied, failOn);
            add ? policy.AddClick() : policy.MarkClick();
            const bool failed = store.FaultFired();
            store.ClearFaults();
            const bool whole = view.appendsLeft < 0;
            view.appendsLeft = -1;
            const test::Lists now{test::StoredText(store, kKey, "Level1Remove"), test::StoredText(store, kKey, "Level1Add")};
            Check(now.remove == wanted.remove || (failed && now.remove == before.remove), "Level1Remove is not what the model says");
            Check(now.add == wanted.add || (failed && now.add == before.add), "Level1Add is not what the model says");
            Check(view.extension == (add && now.add != before.add ? "" : typed), "the text box is not emptied exactly when an Add is stored");
            Check(failed || (now.remove == before.remove && now.add == before.add) || view.policyNote != policy::kNoteNotSaved, "a change stored is said unsaved");
            if (failed && (now.remove != wanted.remove || now.add != wanted.add)) {  // not stored: once the fault has passed, the list shows what is
                Check(view.policyNote == policy::kNoteNotSaved, "a change not saved is not said");
                Check(!whole || failOn || view.rows == test::ExpectedRows(store, kKey, view.safeView, newer), "a list after a failed change differs");
            }
            const auto left = view;
            policy.RefreshList();
            Check(view.rows == test::ExpectedRows(store, kKey, view.safeView, newer), "a refreshed list differs");
            view = left;  // carry on from the list as the command left it
        }
    }
    Check(store.OpenHandles() == 0, "a handle was left open");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (bool newer : {false, true}) Run(data, size, newer);
    return 0;
}
