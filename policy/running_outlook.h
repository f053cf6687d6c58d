// Which Outlooks run in this user's session: a change of the lists waits
// for each of them to start again. Built once for Windows and once for the
// other systems, where none runs.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace sarvell::policy {

// A running process: its id and when it started, which together name it
// even after the id is reused.
using Process = std::pair<std::uint32_t, std::uint64_t>;
// The processes named OUTLOOK.EXE in this user's session.
std::vector<Process> OutlookProcesses();

}  // namespace sarvell::policy
