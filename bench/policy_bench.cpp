// List fills and commands over the memory store, with Level1Remove and
// Level1Add of 10, 1,000 and 10,000 entries each.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "policy/security_policy.h"
#include "registry/cRegistry.h"
#include "registry/memory_store.h"
#include "tests/support/policy_model.h"

namespace {

using namespace sarvell;
using registry::MemoryStore;

const std::string kKey = "Software\\Microsoft\\Office\\16.0\\Outlook\\Security";

std::string Entries(std::int64_t n, const char* prefix) {
    std::string text;
    for (std::int64_t i = 0; i < n; ++i) {
        if (i != 0) text += ';';
        text += prefix + std::to_string(i);
    }
    return text;
}

struct Setup {
    MemoryStore store;
    registry::PlatformScope scope{store};
    test::MemoryView view;
    policy::SecurityPolicy policy{view, kKey};

    explicit Setup(std::int64_t n) {
        Store("Level1Remove", Entries(n, ".r"));
        Store("Level1Add", Entries(n, ".a"));
    }
    void Store(const char* name, const std::string& text) {
        registry::cRegistry reg;
        reg.ClassKey(registry::HKeyCurrentUser);
        reg.SectionKey(kKey);
        reg.ValueKey(name);
        reg.ValueType(registry::kRegSz);
        reg.Value(registry::Variant(text));
    }
    void Show(bool safe) {
        view.safeView = safe;
        policy.RefreshList();
    }
};

void BlockedViewRefresh(benchmark::State& state) {
    Setup s(state.range(0));
    s.view.safeView = false;
    for (auto _ : state) s.policy.RefreshList();
    state.SetComplexityN(state.range(0));
}

void SafeViewFill(benchmark::State& state) {
    Setup s(state.range(0));
    for (auto _ : state) s.policy.LoadRegistryEntries(0);
    state.SetComplexityN(state.range(0));
}

// Times one command; before each run the value it changes is put back and
// the list shown afresh, outside the timing.
template <class Prepare>
void TimeCommand(benchmark::State& state, const char* value, const char* prefix, bool add, Prepare prepare) {
    Setup s(state.range(0));
    const std::string before = Entries(state.range(0), prefix);
    for (auto _ : state) {
        state.PauseTiming();
        s.Store(value, before);
        prepare(s);
        state.ResumeTiming();
        add ? s.policy.AddClick() : s.policy.MarkClick();
    }
    state.SetComplexityN(state.range(0));
}

void SelectRow(test::MemoryView& view, const std::string& row) {
    view.selected = static_cast<int>(std::find(view.rows.begin(), view.rows.end(), row) - view.rows.begin());
}

void MarkSafe(benchmark::State& state) {
    TimeCommand(state, "Level1Remove", ".r", false, [](Setup& s) {
        s.Show(false);
        SelectRow(s.view, ".exe - Executable File");
    });
}

void MarkBlocked(benchmark::State& state) {
    TimeCommand(state, "Level1Remove", ".r", false, [](Setup& s) {
        s.Show(true);
        s.view.selected = 0;
    });
}

void RemoveUserRow(benchmark::State& state) {
    TimeCommand(state, "Level1Add", ".a", false, [](Setup& s) {
        s.Show(false);
        SelectRow(s.view, ".a0 - User Applied");
    });
}

void AddExtension(benchmark::State& state) {
    TimeCommand(state, "Level1Add", ".a", true, [](Setup& s) {
        s.view.safeView = false;
        s.view.extension = "zip";
    });
}

#define SIZES ->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN)
BENCHMARK(BlockedViewRefresh) SIZES;
BENCHMARK(SafeViewFill) SIZES;
BENCHMARK(MarkSafe) SIZES;
BENCHMARK(MarkBlocked) SIZES;
BENCHMARK(RemoveUserRow) SIZES;
BENCHMARK(AddExtension) SIZES;

}  // namespace

BENCHMARK_MAIN();
