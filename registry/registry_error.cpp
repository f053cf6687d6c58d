#include "registry/registry_error.h"

#include <string>

#include "registry/host.h"

namespace sarvell::registry {

std::string ProgramName() { return FileStem(host::ExecutablePath()); }

std::string FileStem(std::string path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) path.erase(0, slash + 1);
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot != 0) path.erase(dot);
    return path;
}

std::string RegistrySource() { return ProgramName() + ".cRegistry"; }

}  // namespace sarvell::registry
