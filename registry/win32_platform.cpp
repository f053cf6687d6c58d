#include "registry/win32_platform.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "text/wtf8.h"

namespace sarvell::registry {

namespace {

HKEY H(Handle h) { return reinterpret_cast<HKEY>(h); }

// Windows names end at their first zero character, as they do in the store.
std::wstring Wide(std::string_view s) { return text::Widen(s.substr(0, s.find('\0'))); }

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::string Narrow(const wchar_t* s, std::size_t n) { return text::Narrow(std::wstring_view(s, n)); }

}  // namespace

Status Win32Platform::OpenKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) {
    HKEY out = nullptr;
    const LONG s = RegOpenKeyExW(H(root), Wide(subKey).c_str(), 0, access, &out);
    key = s == ERROR_SUCCESS ? reinterpret_cast<Handle>(out) : 0;
    return s;
}

Status Win32Platform::CreateKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) {
    HKEY out = nullptr;
    wchar_t emptyClass[] = L"";
    const LONG s = RegCreateKeyExW(H(root), Wide(subKey).c_str(), 0, emptyClass, REG_OPTION_NON_VOLATILE, access,
                                   nullptr, &out, nullptr);  // default security, not inheritable
    key = s == ERROR_SUCCESS ? reinterpret_cast<Handle>(out) : 0;
    return s;
}

Status Win32Platform::CloseKey(Handle key) { return RegCloseKey(H(key)); }

Status Win32Platform::DeleteKey(Handle root, std::string_view subKey) {
    return RegDeleteKeyW(H(root), Wide(subKey).c_str());
}

Status Win32Platform::DeleteValue(Handle key, std::string_view name) {
    return RegDeleteValueW(H(key), Wide(name).c_str());
}

Status Win32Platform::QueryValue(Handle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                                 std::uint32_t& size) {
    const std::wstring wname = Wide(name);
    DWORD t = 0;
    DWORD bytes = 0;
    LONG s = RegQueryValueExW(H(key), wname.c_str(), nullptr, &t, nullptr, &bytes);
    if (s != ERROR_SUCCESS) return s;
    if (!IsStringType(t)) {
        if (data == nullptr) {
            type = t;
            size = bytes;
            return ERROR_SUCCESS;
        }
        DWORD capacity = size;
        s = RegQueryValueExW(H(key), wname.c_str(), nullptr, &t, data, &capacity);
        type = t;
        size = capacity;
        return s;
    }
    // Strings are read whole in UTF-16 and handed out as UTF-8; the value
    // may grow between the two calls, so read until it fits.
    std::vector<std::uint8_t> raw(bytes);
    for (int attempt = 0;; ++attempt) {
        DWORD capacity = static_cast<DWORD>(raw.size());
        s = RegQueryValueExW(H(key), wname.c_str(), nullptr, &t, raw.empty() ? nullptr : raw.data(), &capacity);
        if (s == ERROR_MORE_DATA && attempt < 8) {
            raw.resize(capacity);
            continue;
        }
        if (s != ERROR_SUCCESS) return s;
        raw.resize(capacity);
        break;
    }
    std::u16string units(raw.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {  // UTF-16LE, as Windows stores it
        units[i] = static_cast<char16_t>(raw[2 * i] | raw[2 * i + 1] << 8);
    }
    std::string text = IsStringType(t) ? sarvell::text::ToWtf8(units) : std::string(raw.begin(), raw.end());
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) return ERROR_NOT_ENOUGH_MEMORY;
    const auto needed = static_cast<std::uint32_t>(text.size());
    type = t;
    if (data != nullptr && size < needed) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr) std::copy(text.begin(), text.end(), data);  // bytes, as the platform hands them: no terminator added
    size = needed;
    return ERROR_SUCCESS;
}

Status Win32Platform::SetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                               std::uint32_t size) {
    const std::wstring wname = Wide(name);
    if (!IsStringType(type) || data == nullptr) return RegSetValueExW(H(key), wname.c_str(), 0, type, data, size);
    std::u16string w = text::FromWtf8(std::string_view(reinterpret_cast<const char*>(data), size));
    if (w.size() >= std::numeric_limits<DWORD>::max() / 2) return ERROR_INVALID_PARAMETER;
    const auto bytes = static_cast<DWORD>(w.size() * 2);
    // The registry adds a terminating zero to string data that lacks one
    // when a zero happens to follow it in memory; a non-zero guard after
    // the data keeps what is stored exactly what was given.
    w.push_back(u'?');
    return RegSetValueExW(H(key), wname.c_str(), 0, type, reinterpret_cast<const BYTE*>(w.data()), bytes);
}

Status Win32Platform::QueryInfoKey(Handle key, std::uint32_t& maxValueNameLen) {
    DWORD longest = 0;
    const LONG s = RegQueryInfoKeyW(H(key), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                                    nullptr, nullptr, nullptr);
    if (s == ERROR_SUCCESS) maxValueNameLen = longest;
    return s;
}

Status Win32Platform::EnumValue(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    std::vector<wchar_t> buffer(capacity == 0 ? 1 : capacity);
    DWORD length = capacity;
    const LONG s = RegEnumValueW(H(key), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (s == ERROR_SUCCESS) name = Narrow(buffer.data(), length < buffer.size() ? length : buffer.size());
    return s;
}

Status Win32Platform::EnumKey(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) {
    std::vector<wchar_t> buffer(capacity == 0 ? 1 : capacity);
    const LONG s = RegEnumKeyW(H(key), index, buffer.data(), capacity);
    if (s == ERROR_SUCCESS) {
        std::size_t n = 0;
        while (n < buffer.size() && buffer[n] != L'\0') ++n;
        name = Narrow(buffer.data(), n);
    }
    return s;
}

Status Win32Platform::ConnectRegistry(std::string_view machine, Handle root, Handle& remote) {
    HKEY out = nullptr;
    const std::wstring wmachine = Wide(machine);
    const LONG s = RegConnectRegistryW(wmachine.empty() ? nullptr : wmachine.c_str(), H(root), &out);
    remote = s == ERROR_SUCCESS ? reinterpret_cast<Handle>(out) : 0;
    return s;
}

std::optional<std::string> Win32Platform::ExpandEnvironment(std::string_view text) {
    const std::wstring source = Wide(text);
    DWORD needed = ExpandEnvironmentStringsW(source.c_str(), nullptr, 0);
    for (int attempt = 0; needed != 0 && attempt < 4; ++attempt) {
        std::vector<wchar_t> buffer(needed);
        const DWORD got = ExpandEnvironmentStringsW(source.c_str(), buffer.data(), needed);
        if (got == 0) break;
        if (got <= needed) return Narrow(buffer.data(), got - 1);
        needed = got;  // the environment changed in between
    }
    return std::nullopt;
}

}  // namespace sarvell::registry
