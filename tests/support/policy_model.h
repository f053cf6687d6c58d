// An independent model of what the policy must show and keep, for the fault
// loop and the fuzzer. It reads the stored bytes through the platform it is
// given, never through the code under test.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tests/support/backends.h"

namespace sarvell::test {

// A list value as stored, and its entries as a user sees them.
struct ListState {
    std::optional<RawValue> raw;
    bool isText = false;               // stored as a string type
    std::vector<std::string> entries;  // as shown; none for an absent, empty or "none" text
};

ListState ReadList(registry::Platform& p, const std::string& keyPath, const std::string& name);

// The rows the list must show for what is stored.
std::vector<std::string> ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView);

// Empty when every entry of `before` is still in `after` (counted with
// repeats), except one occurrence of `removed`; otherwise what went missing.
std::string LostEntries(const ListState& before, const ListState& after, const std::optional<std::string>& removed);

// The entries of `after` that `before` did not hold (counted with repeats).
std::vector<std::string> GainedEntries(const ListState& before, const ListState& after);

}  // namespace sarvell::test
