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

// Windows stores strings in UTF-16 and they cross the seam in UTF-8, whose
// length is known only once the data is read: a size asked for ahead of
// the data is a bound (three UTF-8 bytes at most for each two bytes), and
// a read goes through a UTF-16 buffer of twice the caller's size, which
// holds any text that fits it. One call for the size, one for the data;
// a value that grows between them answers MoreData, and the caller reads
// again.
Status Win32Platform::QueryValue(Handle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                                 std::uint32_t& size) {
    const std::wstring wname = Wide(name);
    DWORD t = 0;
    const auto bound = [&t](DWORD bytes) {
        return IsStringType(t) ? static_cast<std::uint32_t>(std::min<std::uint64_t>(std::uint64_t{bytes} + bytes / 2, UINT32_MAX))
                               : bytes;
    };
    if (data == nullptr || size == 0) {
        DWORD bytes = 0;
        const LONG s = RegQueryValueExW(H(key), wname.c_str(), nullptr, &t, nullptr, &bytes);
        type = t;
        size = bound(bytes);
        return s != ERROR_SUCCESS || bytes == 0 || data == nullptr ? s : ERROR_MORE_DATA;
    }
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(std::min<std::uint64_t>(std::uint64_t{size} * 2, std::min<std::uint64_t>(UINT32_MAX, SIZE_MAX))));
    DWORD capacity = static_cast<DWORD>(raw.size());
    LONG s = RegQueryValueExW(H(key), wname.c_str(), nullptr, &t, raw.data(), &capacity);
    type = t;
    if (s == ERROR_MORE_DATA) size = bound(capacity);
    if (s != ERROR_SUCCESS) return s;
    raw.resize(capacity);
    std::string text;
    if (IsStringType(t)) {
        std::u16string units(raw.size() / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i) {  // UTF-16LE, as Windows stores it
            units[i] = static_cast<char16_t>(raw[2 * i] | raw[2 * i + 1] << 8);
        }
        text = sarvell::text::ToWtf8(units);
    } else {
        text.assign(raw.begin(), raw.end());
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) return ERROR_NOT_ENOUGH_MEMORY;
    const auto needed = static_cast<std::uint32_t>(text.size());
    if (size < needed) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    std::copy(text.begin(), text.end(), data);  // bytes, as the platform hands them: no terminator added
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
