// Runs a test over each registry backend this build has: the memory store
// everywhere, and the real registry (advapi32) in the Windows build, where
// the tests run under Wine. Every test works below keys of its own and
// removes them at the end. Helpers report failures at the caller's line.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/memory_store.h"
#include "registry/platform.h"

namespace sarvell::test {

using Bytes = std::vector<std::uint8_t>;

struct RawValue {
    std::uint32_t type = 0;
    Bytes data;
    bool operator==(const RawValue&) const = default;
};

Bytes Data(std::string_view s);
Bytes Sz(std::string_view s);  // with its terminating zero

void SetRaw(registry::Platform& p, std::int32_t root, const std::string& path, const std::string& name,
            std::uint32_t type, const Bytes& data, const char* file = __builtin_FILE(), int line = __builtin_LINE());
std::optional<RawValue> GetRaw(registry::Platform& p, std::int32_t root, const std::string& path,
                               const std::string& name);
void SetEnv(const char* name, const char* value);
// Removes a key with everything below it; a missing key is fine.
void DeleteTree(registry::Platform& p, std::int32_t root, const std::string& path);

class BackendTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override;
    void TearDown() override;

    registry::Platform& P() { return *platform_; }
    bool IsMemory() const { return GetParam() == "memory"; }
    // A path below HKEY_CURRENT_USER that belongs to this test alone.
    std::string Path(std::string_view relative = {}) const;
    // A key name below HKEY_CLASSES_ROOT that belongs to this test alone.
    std::string ClassesKey();

private:
    std::unique_ptr<registry::Platform> platform_;
    std::unique_ptr<registry::PlatformScope> scope_;
    std::string base_;
    std::vector<std::string> classesKeys_;
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
