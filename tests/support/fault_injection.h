// The fault loop: run an operation once cleanly, then once per platform call
// it makes with that call failing (once, and from that call on), until a run
// completes with no fault injected. After every run the check sees how the
// run ended and the store it left; no run may leave a handle open.
#pragma once

#include <cstdint>
#include <functional>

#include "registry/memory_store.h"

namespace sarvell::test {

struct FaultRun {
    std::uint64_t failedCall = 0;  // 0 for the clean run
    bool faultFired = false;
    bool raised = false;  // the operation raised an exception
};

struct FaultMatrix {
    // Prepares the store before each run; its calls are not counted.
    std::function<void(registry::MemoryStore&)> setup;
    std::function<void()> operation;
    std::function<void(const FaultRun&, registry::MemoryStore&)> check;
};

// Returns the number of runs, the clean one included.
std::size_t RunFaultMatrix(const FaultMatrix& matrix);

}  // namespace sarvell::test
