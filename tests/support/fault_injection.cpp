#include "tests/support/fault_injection.h"

#include <gtest/gtest.h>

namespace sarvell::test {

using registry::MemoryStore;
using registry::PlatformScope;

std::string FaultRun::Describe() const {
    if (failedCall == 0) return "clean run";
    return std::string(persistent ? "persistent" : "transient") + " fault at call " + std::to_string(failedCall);
}

namespace {

FaultRun RunOnce(const FaultMatrix& m, std::uint64_t n, bool persistent, MemoryStore& store) {
    PlatformScope scope(store);
    if (m.setup) m.setup(store);
    store.ClearFaults();
    store.ResetCallCount();
    FaultRun run;
    run.failedCall = n;
    run.persistent = persistent;
    if (n != 0) store.FailCall(n, m.status, persistent);
    try {
        m.operation();
    } catch (...) {
        run.error = std::current_exception();
    }
    run.faultFired = store.FaultFired();
    run.calls = store.CallCount();
    store.ClearFaults();
    return run;
}

}  // namespace

std::size_t RunFaultMatrix(const FaultMatrix& m) {
    std::size_t runs = 0;
    {
        MemoryStore store;
        const FaultRun clean = RunOnce(m, 0, false, store);
        ++runs;
        SCOPED_TRACE(clean.Describe());
        if (m.check) m.check(clean, store);
        EXPECT_GT(clean.calls, 0u) << "the operation makes no platform call to fail";
    }
    for (bool persistent : {false, true}) {
        for (std::uint64_t n = 1;; ++n) {
            MemoryStore store;
            const FaultRun run = RunOnce(m, n, persistent, store);
            ++runs;
            SCOPED_TRACE(run.Describe());
            EXPECT_EQ(store.OpenHandles(), 0u) << "a handle was left open";
            if (m.check) m.check(run, store);
            if (!run.faultFired || n > 10000) break;
        }
    }
    return runs;
}

}  // namespace sarvell::test
