// The fault loop: run an operation once cleanly, then once per platform call
// it makes with that call failing (once, and from that call on), until a run
// completes with no fault injected. After every run the check sees whether a
// fault fired, whether the operation raised, and the store it left; no run
// may leave a handle open.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "registry/memory_store.h"

namespace sarvell::test {

struct FaultRun {
    bool faultFired = false;
    bool raised = false;
};

inline void RunFaultMatrix(const std::function<void(registry::MemoryStore&)>& setup, const std::function<void()>& operation,
                           const std::function<void(const FaultRun&, registry::MemoryStore&)>& check) {
    for (int persistent = 0; persistent < 2; ++persistent) {
        for (std::uint64_t n = persistent;; ++n) {  // the clean run (n = 0) once
            registry::MemoryStore store;
            registry::PlatformScope scope(store);
            setup(store);
            store.ClearFaults();
            if (n != 0) store.FailCall(n, registry::status::AccessDenied, persistent != 0);
            FaultRun run;
            try {
                operation();
            } catch (...) {
                run.raised = true;
            }
            run.faultFired = store.FaultFired();
            store.ClearFaults();
            SCOPED_TRACE((persistent ? "persistent fault at call " : "fault at call ") + std::to_string(n));
            EXPECT_EQ(store.OpenHandles(), 0u) << "a handle was left open";
            check(run, store);
            if (n != 0 && !run.faultFired) break;
        }
    }
}

}  // namespace sarvell::test
