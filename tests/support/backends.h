// Runs a test over each registry backend this build has: the memory store
// everywhere, and the real registry (advapi32) in the Windows build, where
// the tests run under Wine. Helpers report failures at the caller's line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "registry/memory_store.h"
#include "registry/platform.h"

#ifdef _WIN32
#include <windows.h>

#include "registry/win32_platform.h"
#endif

namespace sarvell::test {

using Bytes = std::vector<std::uint8_t>;

struct RawValue {
    std::uint32_t type = 0;
    Bytes data;
    bool operator==(const RawValue&) const = default;
};
inline void PrintTo(const RawValue& v, std::ostream* os) {
    *os << "type " << v.type << " \"" << ::testing::PrintToString(std::string(v.data.begin(), v.data.end())) << "\"";
}

inline Bytes Data(std::string_view s) { return {s.begin(), s.end()}; }
inline Bytes Sz(std::string_view s) { return Data(std::string(s) + '\0'); }  // with its terminating zero

inline void SetRaw(registry::Platform& p, std::int32_t root, const std::string& path, const std::string& name, std::uint32_t type,
                   const Bytes& data, const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    registry::KeyHandle key(p);
    registry::Status s = p.CreateKey(registry::RootHandle(root), path, registry::kKeySpecificRights, key.put());
    if (s == registry::status::Success) {
        s = p.SetValue(key.get(), name, type, data.empty() ? nullptr : data.data(), static_cast<std::uint32_t>(data.size()));
    }
    if (s != registry::status::Success) ADD_FAILURE_AT(file, line) << "storing " << path << " " << name << ": " << s;
}

inline std::optional<RawValue> GetRaw(registry::Platform& p, std::int32_t root, const std::string& path, const std::string& name) {
    registry::KeyHandle key(p);
    RawValue v;
    std::uint32_t size = 0;
    if (p.OpenKey(registry::RootHandle(root), path, registry::kKeyQueryValue, key.put()) != registry::status::Success ||
        p.QueryValue(key.get(), name, v.type, nullptr, size) != registry::status::Success) {
        return std::nullopt;
    }
    v.data.resize(size + 1);  // never an empty buffer, which would mean "no buffer"
    if (p.QueryValue(key.get(), name, v.type, v.data.data(), size) != registry::status::Success) return std::nullopt;
    v.data.resize(size);
    return v;
}

inline void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name, value);
#else
    setenv(name, value, 1);
#endif
}

// Removes a key with everything below it; a missing key is fine.
inline void DeleteTree(registry::Platform& p, std::int32_t root, const std::string& path) {
    std::vector<std::string> children;
    {
        registry::KeyHandle key(p);
        if (p.OpenKey(registry::RootHandle(root), path, registry::kKeyEnumerateSubKeys, key.put()) != registry::status::Success) return;
        std::string name;
        for (std::uint32_t i = 0; p.EnumKey(key.get(), i, 300, name) == registry::status::Success; ++i) children.push_back(name);
    }
    for (const auto& child : children) DeleteTree(p, root, path + "\\" + child);
    p.DeleteKey(registry::RootHandle(root), path);
}

// A 64-bit FNV-1a digest: pins a long text so that any changed letter fails,
// without a second copy of the text in the tests.
constexpr std::uint64_t Digest(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return h;
}

// EXPECT_TRUE(Pins(text, digest)): on failure it shows the text as it now
// reads (bytes outside printable ASCII as "."), so the changed line is seen.
inline ::testing::AssertionResult Pins(std::string_view text, std::uint64_t digest) {
    if (Digest(text) == digest) return ::testing::AssertionSuccess();
    std::string shown;
    for (char c : text) shown += c == '\n' || (c >= ' ' && c < 127) ? c : '.';
    std::ostringstream what;
    what << std::hex << "digest 0x" << Digest(text) << ", pinned 0x" << digest << ", of the text now:\n" << shown;
    return ::testing::AssertionFailure() << what.str();
}

// Each test works below keys of its own, emptied before and after it: in a
// memory store of its own, or in the Windows test program's own registry
// roots (tests/support/scratch_roots.cpp).
class BackendTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
#ifdef _WIN32
        if (GetParam() == "win32") platform_ = std::make_unique<registry::Win32Platform>();
#endif
        if (!platform_) platform_ = std::make_unique<registry::MemoryStore>();
        scope_ = std::make_unique<registry::PlatformScope>(*platform_);
        base_ = "Software\\SarvellTests\\" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
        DeleteTree(P(), registry::HKeyCurrentUser, base_);
    }
    void TearDown() override { DeleteTree(P(), registry::HKeyCurrentUser, base_); }

    registry::Platform& P() { return *platform_; }
    // A path below HKEY_CURRENT_USER that belongs to this test alone.
    std::string Path(std::string_view relative = {}) const { return relative.empty() ? base_ : base_ + "\\" + std::string(relative); }

private:
    std::unique_ptr<registry::Platform> platform_;
    std::unique_ptr<registry::PlatformScope> scope_;
    std::string base_;
};

#ifdef _WIN32
#define SARVELL_BACKENDS "memory", "win32"
#else
#define SARVELL_BACKENDS "memory"
#endif
#define SARVELL_BACKEND_TESTS(Fixture)                                                        \
    INSTANTIATE_TEST_SUITE_P(Backends, Fixture, ::testing::Values(SARVELL_BACKENDS), \
                             [](const auto& info) { return info.param; })

}  // namespace sarvell::test
