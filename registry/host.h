// What the registry code needs of the operating system besides the registry
// itself, built once for Windows and once for the other systems.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sarvell::registry::host {

// The running program's file, or "" when it cannot be told.
std::string ExecutablePath();
// Its name without the extension ("Sarvell"): who raises the registry's
// errors and titles a fatal error's report.
std::string ProgramName();
// A path's file name without its extension: "C:\\Tools\\Sarvell.exe" gives "Sarvell".
std::string FileStem(std::string path);
// This computer's name, as a connection to it names it.
std::string ComputerName();
// An environment variable, its name matched without regard to case.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// A running process: its id and when it started, which together name it
// even after the id is reused.
using Process = std::pair<std::uint32_t, std::uint64_t>;
// The processes named OUTLOOK.EXE in this user's session.
std::vector<Process> OutlookProcesses();

}  // namespace sarvell::registry::host
