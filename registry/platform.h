// The registry platform seam: the handful of advapi32 and kernel32 calls that
// cRegistry makes, with the same statuses. Texts are UTF-8 (WTF-8 where the
// platform holds unpaired surrogates); string data of REG_SZ, REG_EXPAND_SZ
// and REG_MULTI_SZ values cross this seam as UTF-8 bytes, so sizes are UTF-8
// byte counts, as the "A" functions count bytes of the ANSI code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry/types.h"

namespace sarvell::registry {

// A key handle. Predefined roots are their 32-bit values sign-extended, which
// is how Windows defines HKEY_CURRENT_USER and its siblings.
using Handle = std::intptr_t;

inline Handle RootHandle(std::int32_t classKey) { return static_cast<Handle>(classKey); }

class Platform {
public:
    virtual ~Platform() = default;

    virtual Status OpenKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) = 0;
    // Creates every missing level, or opens the key when it exists.
    virtual Status CreateKey(Handle root, std::string_view subKey, std::uint32_t access, Handle& key) = 0;
    virtual Status CloseKey(Handle key) = 0;
    virtual Status DeleteKey(Handle root, std::string_view subKey) = 0;
    virtual Status DeleteValue(Handle key, std::string_view name) = 0;
    // With data null, answers the type and the size. With a buffer of
    // `size` bytes that is too small (or none: `size` 0), answers MoreData
    // and the size needed, and the buffer's contents are undefined.
    // Otherwise fills it and sets `size` to the bytes it holds. A size
    // answered ahead of the data may be larger than the data then read
    // (the Win32 backend's for a string), never smaller.
    virtual Status QueryValue(Handle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                              std::uint32_t& size) = 0;
    virtual Status SetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) = 0;
    // The length of the key's longest value name, in characters without
    // the terminating zero: all cRegistry asks of RegQueryInfoKey.
    virtual Status QueryInfoKey(Handle key, std::uint32_t& maxValueNameLen) = 0;
    // `capacity` counts characters including the terminating zero; a name
    // that does not fit answers MoreData. After the last index: NoMoreItems.
    virtual Status EnumValue(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) = 0;
    virtual Status EnumKey(Handle key, std::uint32_t index, std::uint32_t capacity, std::string& name) = 0;
    // `machine` is "\\name"; the local computer's own name connects locally.
    virtual Status ConnectRegistry(std::string_view machine, Handle root, Handle& remote) = 0;
    // Expands %NAME% references from the process environment, up to the
    // first zero character; nullopt when the platform fails.
    virtual std::optional<std::string> ExpandEnvironment(std::string_view text) = 0;
};

// The platform cRegistry talks to: the Windows registry on Windows, the
// process's memory store elsewhere.
Platform& CurrentPlatform();

// Installs another platform for the lifetime of the scope (tests).
class PlatformScope {
public:
    explicit PlatformScope(Platform& platform);
    ~PlatformScope();
    PlatformScope(const PlatformScope&) = delete;
    PlatformScope& operator=(const PlatformScope&) = delete;

private:
    Platform* previous_;
};

// RAII for a key handle: closes it through the platform that opened it.
class KeyHandle {
public:
    explicit KeyHandle(Platform& platform) : platform_(&platform) {}
    ~KeyHandle() { reset(); }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    Handle get() const { return handle_; }
    // For out-parameters: releases what is held and hands out the slot.
    Handle& put() {
        reset();
        return handle_;
    }
    void reset() {
        if (handle_ != 0) platform_->CloseKey(handle_);
        handle_ = 0;
    }

private:
    Platform* platform_;
    Handle handle_ = 0;
};

}  // namespace sarvell::registry
