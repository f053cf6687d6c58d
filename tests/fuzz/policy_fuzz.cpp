// Fuzzes the views and commands: arbitrary Level1Remove and Level1Add values,
// then arbitrary view switches, selections, commands, failing platform calls
// and half-filled lists. After every command no stored entry may be lost but
// the one the command was asked to remove, nothing may be added but what it
// was asked to add, and a refreshed list must show exactly what is stored.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "policy/catalogue.h"
#include "policy/list_value.h"
#include "policy/security_policy.h"
#include "tests/support/memory_view.h"
#include "tests/support/policy_model.h"

namespace {

using namespace sarvell;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool Empty() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    // Text from a small alphabet, so separators, markers and catalogue
    // extensions turn up often.
    std::string Text() {
        static constexpr std::string_view kPieces[] = {
            ".", ";", "-", " ", "%", "e", "x", "E", "w", "s", "b", "a", "t", "none", ".exe", ".ws",
            " - User Applied", "\xC3\xA4", std::string_view("\0", 1), ".bat", ".exe - Executable File",
        };
        std::string out;
        for (std::size_t n = Byte() % 12; n > 0; --n) out += kPieces[Byte() % std::size(kPieces)];
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void Check(bool ok, const std::string& what) {
    if (ok) return;
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

void StoreValue(registry::MemoryStore& store, const char* name, Input& in) {
    const std::uint32_t types[] = {0, 1, 1, 2, 7, 4, 3};
    const std::uint32_t type = types[in.Byte() % std::size(types)];
    std::string text = in.Text();
    if (type == 0) return;  // absent
    if (in.Byte() % 4 != 0) text.push_back('\0');
    test::SetRaw(store, registry::HKeyCurrentUser, kKey, name, type, test::Data(text));
}

// Whether every entry of `part` is one of `whole`, counted with repeats.
bool Within(const std::vector<std::string>& part, std::vector<std::string> whole) {
    for (const auto& e : part) {
        const auto at = std::find(whole.begin(), whole.end(), e);
        if (at == whole.end()) return false;
        whole.erase(at);
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    registry::MemoryStore store;
    registry::PlatformScope scope(store);
    StoreValue(store, "Level1Remove", in);
    StoreValue(store, "Level1Add", in);
    test::MemoryView view;
    policy::SecurityPolicy policy(view, kKey);
    policy.RefreshList();

    for (int step = 0; step < 24 && !in.Empty(); ++step) {
        switch (const std::uint8_t op = in.Byte(); op % 7) {
            case 0: {  // option button click
                const int index = in.Byte() % 3;
                if (index < 2) view.safeView = index == 0;
                policy.ViewSwitch(static_cast<std::int16_t>(index));
                break;
            }
            case 1:
                view.selected = static_cast<int>(in.Byte() % (view.rows.size() + 2)) - 1;
                break;
            case 2:
                view.extension = in.Text();
                break;
            case 3:  // a platform call of the next command fails
                store.FailCall(1 + in.Byte() % 12, registry::status::AccessDenied, in.Byte() % 2 == 0);
                break;
            case 4:  // the list runs out of room during the next fill
                view.appendsLeft = in.Byte() % 8;
                break;
            default: {
                const bool add = op % 7 == 6;
                const auto removeBefore = test::ReadList(store, kKey, "Level1Remove");
                const auto addBefore = test::ReadList(store, kKey, "Level1Add");
                // What the command may take away: the entry its row shows, if the list shows the store.
                std::optional<std::string> removes;
                const int user = view.selected - (view.RowCount() - static_cast<int>(addBefore.entries.size()));
                if (!add && view.safeView && view.selected >= 0 && view.selected < static_cast<int>(removeBefore.entries.size())) {
                    removes = removeBefore.entries[static_cast<std::size_t>(view.selected)];
                } else if (!add && !view.safeView && user >= 0 && view.selected < view.RowCount()) {
                    removes = addBefore.entries[static_cast<std::size_t>(user)];
                }
                const std::string row = view.RowText(view.selected), typed = view.extension;
                add ? policy.AddClick() : policy.MarkClick();
                store.ClearFaults();
                view.appendsLeft = -1;
                const auto removeAfter = test::ReadList(store, kKey, "Level1Remove");
                const auto addAfter = test::ReadList(store, kKey, "Level1Add");
                Check(test::LostEntries(removeBefore, removeAfter, view.safeView ? removes : std::nullopt).empty(),
                      "Level1Remove lost an entry");
                Check(test::LostEntries(addBefore, addAfter, view.safeView ? std::nullopt : removes).empty(),
                      "Level1Add lost an entry");
                // Only the extension of a catalogue row becomes safe; only the typed text is added.
                const auto safe = test::GainedEntries(removeBefore, removeAfter);
                Check(safe.empty() || (safe.size() == 1 && !add && !view.safeView &&
                                       std::find(policy::kCatalogue.begin(), policy::kCatalogue.end(), row) !=
                                           policy::kCatalogue.end() &&
                                       safe[0] == policy::CatalogueExtension(row)),
                      "Level1Remove gained " + (safe.empty() ? std::string() : safe[0]));
                const auto blocked = test::GainedEntries(addBefore, addAfter);
                Check(blocked.empty() || (add && Within(blocked, policy::SplitEntries(
                                                                      typed.starts_with('.') ? typed : "." + typed))),
                      "Level1Add gained something not typed");
                const auto shown = view;
                policy.RefreshList();
                Check(view.rows == test::ExpectedRows(store, kKey, view.safeView), "refreshed list differs");
                view = shown;  // carry on from the list as the command left it
                break;
            }
        }
    }
    Check(store.OpenHandles() == 0, "a handle was left open");
    return 0;
}
