// An independent model of what the policy must show and keep, for the fault
// loop and the fuzzer. It reads the stored bytes through the platform it is
// given, never through the code under test.
#pragma once

#include <string>
#include <vector>

#include "tests/support/backends.h"

namespace sarvell::test {

using Entries = std::vector<std::string>;

// The entries of a list value stored as a string type: none when it is
// absent, and, unless `raw`, none for an empty text or "none", which read as
// no list.
Entries ReadEntries(registry::Platform& p, const std::string& keyPath, const std::string& name, bool raw = false);

// The rows the list must show for what is stored.
Entries ExpectedRows(registry::Platform& p, const std::string& keyPath, bool safeView);

// `from` less the entries of `less`, counted with repeats.
Entries Less(Entries from, Entries less);

}  // namespace sarvell::test
