// What the registry code needs of the operating system besides the registry
// itself, built once for Windows and once for the other systems.
#pragma once

#include <optional>
#include <string>

namespace sarvell::registry::host {

// The running program's file, or "" when it cannot be told.
std::string ExecutablePath();
// This computer's name, as a connection to it names it.
std::string ComputerName();
// An environment variable, its name matched without regard to case.
std::optional<std::string> EnvironmentVariable(const std::string& name);

}  // namespace sarvell::registry::host
