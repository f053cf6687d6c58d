#include "registry/registry_error.h"

#include <string>

#ifdef _WIN32
#include <windows.h>

#include "text/wtf8.h"
#else
#include <unistd.h>

#include <climits>
#endif

namespace sarvell::registry {

namespace {

std::string ExecutablePath() {
#ifdef _WIN32
    std::u16string buffer(MAX_PATH, u'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(buffer.data()),
                                           static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return text::ToWtf8(std::u16string_view(buffer.data(), n));
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
#else
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
#endif
}

}  // namespace

std::string ProgramName() { return FileStem(ExecutablePath()); }

std::string FileStem(std::string path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) path.erase(0, slash + 1);
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot != 0) path.erase(dot);
    return path;
}

std::string RegistrySource() { return ProgramName() + ".cRegistry"; }

}  // namespace sarvell::registry
