#include <windows.h>

#include "registry/host.h"
#include "text/wtf8.h"

namespace sarvell::registry::host {

std::string ExecutablePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return text::Narrow(std::wstring_view(buffer.data(), n));
        if (buffer.size() >= 32768) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) return "LOCALHOST";
    return text::Narrow(std::wstring_view(name, size));
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
    const std::wstring wname = text::Widen(name);
    const DWORD needed = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
    if (needed == 0) return std::nullopt;
    std::wstring value(needed, L'\0');
    const DWORD got = GetEnvironmentVariableW(wname.c_str(), value.data(), needed);
    if (got >= needed) return std::nullopt;
    return text::Narrow(std::wstring_view(value.data(), got));
}

}  // namespace sarvell::registry::host
