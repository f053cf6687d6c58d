// The program's identity, the same on every system.
#include "registry/host.h"

namespace sarvell::registry::host {

std::string ProgramName() { return FileStem(ExecutablePath()); }

std::string FileStem(std::string path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) path.erase(0, slash + 1);
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot != 0) path.erase(dot);
    return path;
}

}  // namespace sarvell::registry::host
