#include <unistd.h>

#include <climits>

#include "registry/fold_case.h"
#include "registry/host.h"

extern char** environ;

namespace sarvell::registry::host {

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

std::string ComputerName() {
    char name[256] = {};
    gethostname(name, sizeof name - 1);  // on failure the name stays empty, which is this computer too
    return name;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    // Windows looks environment names up without regard to case.
    for (char** e = environ; e != nullptr && *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const std::size_t eq = entry.find('=');
        if (eq != std::string_view::npos && EqualsIgnoreCase(entry.substr(0, eq), name)) {
            return std::string(entry.substr(eq + 1));
        }
    }
    return std::nullopt;
}

}  // namespace sarvell::registry::host
