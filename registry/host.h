// What the registry code needs of the operating system besides the registry
// itself: the program's file and name, which raise its errors, the computer
// it connects to, and the environment it expands; built once for Windows and
// once for the other systems.
#pragma once

#include <optional>
#include <string>

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

}  // namespace sarvell::registry::host
