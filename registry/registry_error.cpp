#include "registry/registry_error.h"

#include <string>

#include "registry/host.h"

namespace sarvell::registry {

std::string RegistrySource() { return host::ProgramName() + ".cRegistry"; }

}  // namespace sarvell::registry
