// The fault loop: run an operation once cleanly, then once per platform call
// it makes with that call failing (once, and from that call on), until a run
// completes with no fault injected. After every run the caller's check sees
// how the run ended and the store it left.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "registry/memory_store.h"

namespace sarvell::test {

struct FaultRun {
    std::uint64_t failedCall = 0;   // 0 for the clean run
    bool persistent = false;
    bool faultFired = false;
    std::exception_ptr error;       // what the operation raised, if anything
    std::uint64_t calls = 0;        // platform calls the run made

    bool Raised() const { return error != nullptr; }
    std::string Describe() const;
};

struct FaultMatrix {
    registry::Status status = registry::status::AccessDenied;
    // Prepares the store before each run; its calls are not counted.
    std::function<void(registry::MemoryStore&)> setup;
    std::function<void()> operation;
    std::function<void(const FaultRun&, registry::MemoryStore&)> check;
};

// Returns the number of runs, the clean one included.
std::size_t RunFaultMatrix(const FaultMatrix& matrix);

}  // namespace sarvell::test
