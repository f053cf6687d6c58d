// Fuzzes the views and commands: arbitrary Level1Remove and Level1Add values,
// then arbitrary view switches, selections, commands, failing platform calls,
// half-filled lists and values another program rewrites. After every command no stored entry may be lost but
// the one the command was asked to remove, nothing may be added but what it
// was asked to add, and a refreshed list must show exactly what is stored.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "policy/catalogue.h"
#include "policy/list_value.h"
#include "policy/security_policy.h"
#include "tests/support/policy_model.h"

namespace {

using namespace sarvell;
using V = std::vector<std::string>;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

void Check(bool ok, const char* what) {
    if (!ok) std::fprintf(stderr, "invariant broken: %s\n", what), std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
    policy::SecurityPolicy policy(view, kKey);
    policy.RefreshList();
    std::uint64_t failCall = 0;  // armed just before the next command, so that the model's reads do not meet it
    bool failOn = false;
    for (int step = 0; step < 24 && pos < size; ++step) {
        const std::uint8_t op = byte() % 8;
        if (op == 0) {  // option button click
            const int index = byte() % 3;
            view.safeView = index == 2 ? view.safeView : index == 0;
            policy.ViewSwitch(static_cast<std::int16_t>(index));
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
            const V removeBefore = test::ReadEntries(store, kKey, "Level1Remove");
            const V addBefore = test::ReadEntries(store, kKey, "Level1Add");
            // What the command may take away: the stored entry at the place of the row clicked, if that row shows it.
            const std::string row = view.RowText(view.selected), typed = view.extension;
            const V& entries = view.safeView ? removeBefore : addBefore;
            const int at = view.selected - (view.safeView ? 0 : view.RowCount() - static_cast<int>(entries.size()));
            V removes;
            if (!add && view.selected >= 0 && at >= 0 && at < static_cast<int>(entries.size())) {
                const std::string shown = entries[static_cast<std::size_t>(at)] + (view.safeView ? "" : " - User Applied");
                if (row == shown.substr(0, shown.find('\0'))) removes = {entries[static_cast<std::size_t>(at)]};
            }
            if (failCall != 0) store.FailCall(std::exchange(failCall, 0), registry::status::AccessDenied, failOn);
            add ? policy.AddClick() : policy.MarkClick();
            store.ClearFaults();
            view.appendsLeft = -1;
            // Only the entry asked for may go; only the extension of a catalogue row becomes safe; only the typed text is added.
            const bool catalogueRow = std::find(policy::kCatalogue.begin(), policy::kCatalogue.end(), row) !=
                                      policy::kCatalogue.end();
            Check(test::Less(test::Less(removeBefore, test::ReadEntries(store, kKey, "Level1Remove", true)),
                             view.safeView ? removes : V{}).empty(), "Level1Remove lost an entry");
            Check(test::Less(test::Less(addBefore, test::ReadEntries(store, kKey, "Level1Add", true)),
                             view.safeView ? V{} : removes).empty(), "Level1Add lost an entry");
            Check(test::Less(test::Less(test::ReadEntries(store, kKey, "Level1Remove"), removeBefore),
                             catalogueRow && !add && !view.safeView ? V{policy::CatalogueExtension(row)} : V{}).empty(),
                  "Level1Remove gained an entry not marked safe");
            Check(test::Less(test::Less(test::ReadEntries(store, kKey, "Level1Add"), addBefore),
                             add ? policy::SplitEntries(typed.starts_with('.') ? typed : "." + typed) : V{}).empty(),
                  "Level1Add gained an entry not typed");
            const auto left = view;
            policy.RefreshList();
            Check(view.rows == test::ExpectedRows(store, kKey, view.safeView), "a refreshed list differs");
            view = left;  // carry on from the list as the command left it
        }
    }
    Check(store.OpenHandles() == 0, "a handle was left open");
    return 0;
}
