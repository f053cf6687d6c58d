// The registry platform over advapi32 and kernel32: the "W" functions, with
// UTF-8 (WTF-8) texts converted to and from UTF-16 at this boundary.
#pragma once

#include "registry/platform.h"

namespace sarvell::registry {

class Win32Platform final : public Platform {
public:
    Status OpenKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) override;
    Status CreateKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) override;
    Status CloseKey(Handle key) override;
    Status DeleteKey(Handle root, std::string_view subKey) override;
    Status DeleteValue(Handle key, std::string_view name) override;
    Status QueryValue(Handle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override;
    Status SetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    Status QueryInfoKey(Handle key, std::uint32_t& maxValueNameLen) override;
    Status EnumValue(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override;
    Status EnumKey(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) override;
    Status ConnectRegistry(std::string_view machine, Handle root, Handle& remote) override;
    std::optional<std::string> ExpandEnvironment(std::string_view text) override;
};

}  // namespace sarvell::registry
