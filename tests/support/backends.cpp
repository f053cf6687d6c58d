#include "tests/support/backends.h"

#ifdef _WIN32
#include <windows.h>

#include "registry/win32_platform.h"
#else
#include <unistd.h>
#endif

namespace sarvell::test {

using namespace registry;

namespace {

long ProcessId() {
#ifdef _WIN32
    return static_cast<long>(GetCurrentProcessId());
#else
    return static_cast<long>(getpid());
#endif
}

}  // namespace

std::vector<std::string> BackendNames() {
#ifdef _WIN32
    return {"memory", "win32"};
#else
    return {"memory"};
#endif
}

std::unique_ptr<Platform> MakeBackend(const std::string& name) {
#ifdef _WIN32
    if (name == "win32") return std::make_unique<Win32Platform>();
#endif
    (void)name;
    return std::make_unique<MemoryStore>();
}

std::vector<std::uint8_t> Data(std::string_view s) { return {s.begin(), s.end()}; }

std::vector<std::uint8_t> Sz(std::string_view s) {
    auto b = Data(s);
    b.push_back(0);
    return b;
}

void SetRaw(Platform& p, std::int32_t root, const std::string& path, const std::string& name, std::uint32_t type,
            const std::vector<std::uint8_t>& data) {
    KeyHandle key(p);
    ASSERT_EQ(p.CreateKey(RootHandle(root), path, kKeySpecificRights, key.put()), status::Success) << path;
    ASSERT_EQ(p.SetValue(key.get(), name, type, data.empty() ? nullptr : data.data(),
                         static_cast<std::uint32_t>(data.size())),
              status::Success)
        << path << " " << name;
}

std::optional<RawValue> GetRaw(Platform& p, std::int32_t root, const std::string& path, const std::string& name) {
    KeyHandle key(p);
    if (p.OpenKey(RootHandle(root), path, kKeyQueryValue, key.put()) != status::Success) return std::nullopt;
    RawValue v;
    std::uint32_t size = 0;
    if (p.QueryValue(key.get(), name, v.type, nullptr, size) != status::Success) return std::nullopt;
    v.data.resize(size);
    std::uint8_t dummy = 0;
    if (p.QueryValue(key.get(), name, v.type, v.data.empty() ? &dummy : v.data.data(), size) != status::Success) {
        return std::nullopt;
    }
    v.data.resize(size);
    return v;
}

bool KeyPresent(Platform& p, std::int32_t root, const std::string& path) {
    KeyHandle key(p);
    return p.OpenKey(RootHandle(root), path, kKeyQueryValue, key.put()) == status::Success;
}

void DeleteTree(Platform& p, std::int32_t root, const std::string& path) {
    std::vector<std::string> children;
    {
        KeyHandle key(p);
        if (p.OpenKey(RootHandle(root), path, kKeyEnumerateSubKeys, key.put()) != status::Success) return;
        std::string name;
        for (std::uint32_t i = 0; p.EnumKey(key.get(), i, 300, name) == status::Success; ++i) children.push_back(name);
    }
    for (const auto& child : children) DeleteTree(p, root, path + "\\" + child);
    p.DeleteKey(RootHandle(root), path);
}

void BackendTest::SetUp() {
    platform_ = MakeBackend(GetParam());
    scope_ = std::make_unique<PlatformScope>(*platform_);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    base_ = "Software\\SarvellTests\\" + std::to_string(ProcessId()) + "_" + info->name();
    for (char& c : base_) {
        if (c == '/') c = '_';
    }
    DeleteTree(P(), HKeyCurrentUser, base_);
}

void BackendTest::TearDown() {
    if (IsMemory()) Memory().ClearFaults();
    DeleteTree(P(), HKeyCurrentUser, base_);
    for (const auto& key : classesKeys_) DeleteTree(P(), HKeyClassesRoot, key);
    scope_.reset();
    platform_.reset();
}

std::string BackendTest::Path(std::string_view relative) const {
    return relative.empty() ? base_ : base_ + "\\" + std::string(relative);
}

std::string BackendTest::ClassesKey(std::string_view suffix) {
    std::string key = "SarvellTest." + std::to_string(ProcessId()) + "." + std::to_string(classesKeys_.size());
    if (!suffix.empty()) key += suffix;
    classesKeys_.push_back(key);
    DeleteTree(P(), HKeyClassesRoot, key);
    return key;
}

}  // namespace sarvell::test
