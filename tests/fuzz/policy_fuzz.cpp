// Fuzzes the views and commands: arbitrary Level1Remove and Level1Add values,
// then arbitrary view switches, selections, commands, failing platform calls
// and half-filled lists. After every command no stored entry may be lost but
// the one the command was asked to remove, and a refreshed list must show
// exactly what is stored.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <iterator>
#include <string>
#include <string_view>

#include "policy/list_value.h"
#include "policy/security_policy.h"
#include "registry/memory_store.h"
#include "tests/support/memory_view.h"
#include "tests/support/policy_model.h"

namespace {

using namespace sarvell;
using registry::MemoryStore;

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
            " - User Applied", "\xC3\xA4", std::string_view("\0", 1), ".bat",
        };
        std::string out;
        const std::size_t n = Byte() % 12;
        for (std::size_t i = 0; i < n; ++i) out += kPieces[Byte() % std::size(kPieces)];
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

void StoreValue(MemoryStore& store, const char* name, Input& in) {
    const std::uint8_t kind = in.Byte() % 6;
    if (kind == 0) return;  // absent
    std::string text = in.Text();
    const std::uint32_t types[] = {1, 1, 2, 7, 4, 3};
    if (kind != 4 && kind != 3 && in.Byte() % 4 != 0) text.push_back('\0');
    if (kind == 3) text.push_back('\0');
    registry::Handle key = 0;
    store.CreateKey(registry::RootHandle(registry::HKeyCurrentUser), kKey, registry::kKeySpecificRights, key);
    store.SetValue(key, name, types[kind], reinterpret_cast<const std::uint8_t*>(text.data()),
                   static_cast<std::uint32_t>(text.size()));
    store.CloseKey(key);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    MemoryStore store;
    registry::PlatformScope scope(store);
    StoreValue(store, "Level1Remove", in);
    StoreValue(store, "Level1Add", in);
    test::MemoryView view;
    policy::SecurityPolicy policy(view, kKey);
    policy.RefreshList();

    for (int step = 0; step < 24 && !in.Empty(); ++step) {
        const std::uint8_t op = in.Byte();
        switch (op % 7) {
            case 0: {  // option button click
                const int index = in.Byte() % 3;
                if (index < 2) view.safeView = index == 0;
                policy.ViewSwitch(static_cast<std::int16_t>(index));
                break;
            }
            case 1:
                view.selected = view.rows.empty() ? -1 : static_cast<int>(in.Byte() % (view.rows.size() + 1)) - 1;
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
            case 5:
            case 6: {
                const bool add = op % 7 == 6;
                const char* value = add ? "Level1Add" : "Level1Remove";
                std::optional<std::string> removes;
                if (!add && view.selected >= 0) {
                    const std::string row = view.rows[static_cast<std::size_t>(view.selected)];
                    std::string entry;
                    if (view.safeView) {
                        removes = row;
                    } else if (policy::ParseUserRow(row, entry)) {
                        removes = entry;
                        value = "Level1Add";
                    }
                }
                const test::ListState before = test::ReadList(store, kKey, value);
                add ? policy.AddClick() : policy.MarkClick();
                store.ClearFaults();
                view.appendsLeft = -1;
                const std::string lost = test::LostEntries(before, test::ReadList(store, kKey, value), removes);
                if (!lost.empty()) Fail(std::string(value) + " lost " + lost);
                const auto refreshed = view;
                policy.RefreshList();
                if (view.rows != test::ExpectedRows(store, kKey, view.safeView)) Fail("refreshed list differs");
                // Carry on from the list as the command left it.
                view = refreshed;
                break;
            }
        }
    }
    if (store.OpenHandles() != 0) Fail("a handle was left open");
    return 0;
}
