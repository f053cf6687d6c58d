#include "tests/support/fault_injection.h"

#include <gtest/gtest.h>

#include <string>

namespace sarvell::test {

using registry::MemoryStore;

std::size_t RunFaultMatrix(const FaultMatrix& m) {
    std::size_t runs = 0;
    for (int persistent = 0; persistent < 2; ++persistent) {
        for (std::uint64_t n = persistent;; ++n) {  // the clean run (n = 0) once
            MemoryStore store;
            registry::PlatformScope scope(store);
            if (m.setup) m.setup(store);
            store.ClearFaults();
            if (n != 0) store.FailCall(n, registry::status::AccessDenied, persistent != 0);
            FaultRun run{n, false, false};
            try {
                m.operation();
            } catch (...) {
                run.raised = true;
            }
            run.faultFired = store.FaultFired();
            store.ClearFaults();
            ++runs;
            SCOPED_TRACE((persistent ? "persistent fault at call " : "fault at call ") + std::to_string(n));
            EXPECT_EQ(store.OpenHandles(), 0u) << "a handle was left open";
            m.check(run, store);
            if (n != 0 && !run.faultFired) break;
        }
    }
    return runs;
}

}  // namespace sarvell::test
