// Runs a test over each registry backend this build has: the memory store
// everywhere, and the real registry (advapi32) in the Windows build, where
// the tests run under Wine. Every test works below a key of its own and
// removes it at the end.
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

std::vector<std::string> BackendNames();
std::unique_ptr<registry::Platform> MakeBackend(const std::string& name);

struct RawValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const RawValue&) const = default;
};

// Platform-level helpers that report failures at the caller's line.
void SetRaw(registry::Platform& p, std::int32_t root, const std::string& path, const std::string& name,
            std::uint32_t type, const std::vector<std::uint8_t>& data);
std::optional<RawValue> GetRaw(registry::Platform& p, std::int32_t root, const std::string& path,
                               const std::string& name);
bool KeyPresent(registry::Platform& p, std::int32_t root, const std::string& path);
// Removes a key with everything below it; a missing key is fine.
void DeleteTree(registry::Platform& p, std::int32_t root, const std::string& path);

std::vector<std::uint8_t> Data(std::string_view s);
std::vector<std::uint8_t> Sz(std::string_view s);  // with its terminating zero

class BackendTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override;
    void TearDown() override;

    registry::Platform& P() { return *platform_; }
    bool IsMemory() const { return GetParam() == "memory"; }
    registry::MemoryStore& Memory() { return static_cast<registry::MemoryStore&>(*platform_); }

    // A path below HKEY_CURRENT_USER that belongs to this test alone.
    std::string Path(std::string_view relative = {}) const;
    // A key name below HKEY_CLASSES_ROOT that belongs to this test alone.
    std::string ClassesKey(std::string_view suffix = {});

private:
    std::unique_ptr<registry::Platform> platform_;
    std::unique_ptr<registry::PlatformScope> scope_;
    std::string base_;
    std::vector<std::string> classesKeys_;
};

struct BackendName {
    std::string operator()(const ::testing::TestParamInfo<std::string>& info) const { return info.param; }
};

#define SARVELL_BACKEND_TESTS(Fixture) \
    INSTANTIATE_TEST_SUITE_P(Backends, Fixture, ::testing::ValuesIn(::sarvell::test::BackendNames()), \
                             ::sarvell::test::BackendName())

}  // namespace sarvell::test
