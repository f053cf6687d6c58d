#include "tests/support/backends.h"

#ifdef _WIN32
#include <windows.h>

#include "registry/win32_platform.h"
#else
#include <unistd.h>

#include <cstdlib>
#endif

namespace sarvell::test {

using namespace registry;

Bytes Data(std::string_view s) { return {s.begin(), s.end()}; }

Bytes Sz(std::string_view s) {
    Bytes b = Data(s);
    b.push_back(0);
    return b;
}

void SetRaw(Platform& p, std::int32_t root, const std::string& path, const std::string& name, std::uint32_t type,
            const Bytes& data, const char* file, int line) {
    KeyHandle key(p);
    Status s = p.CreateKey(RootHandle(root), path, kKeySpecificRights, key.put());
    if (s == status::Success) {
        s = p.SetValue(key.get(), name, type, data.empty() ? nullptr : data.data(), static_cast<std::uint32_t>(data.size()));
    }
    if (s != status::Success) ADD_FAILURE_AT(file, line) << "storing " << path << " " << name << ": " << s;
}

std::optional<RawValue> GetRaw(Platform& p, std::int32_t root, const std::string& path, const std::string& name) {
    KeyHandle key(p);
    RawValue v;
    std::uint32_t size = 0;
    if (p.OpenKey(RootHandle(root), path, kKeyQueryValue, key.put()) != status::Success ||
        p.QueryValue(key.get(), name, v.type, nullptr, size) != status::Success) {
        return std::nullopt;
    }
    v.data.resize(size + 1);  // never an empty buffer, which would mean "no buffer"
    if (p.QueryValue(key.get(), name, v.type, v.data.data(), size) != status::Success) return std::nullopt;
    v.data.resize(size);
    return v;
}

void SetEnv(const char* name, const char* value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name, value);
#else
    setenv(name, value, 1);
#endif
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

namespace {

std::string ProcessTag() {
#ifdef _WIN32
    return std::to_string(GetCurrentProcessId());
#else
    return std::to_string(getpid());
#endif
}

}  // namespace

void BackendTest::SetUp() {
#ifdef _WIN32
    if (GetParam() == "win32") platform_ = std::make_unique<Win32Platform>();
#endif
    if (!platform_) platform_ = std::make_unique<MemoryStore>();
    scope_ = std::make_unique<PlatformScope>(*platform_);
    base_ = "Software\\SarvellTests\\" + ProcessTag() + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : base_) c = c == '/' ? '_' : c;
    DeleteTree(P(), HKeyCurrentUser, base_);
}

void BackendTest::TearDown() {
    DeleteTree(P(), HKeyCurrentUser, base_);
    for (const auto& key : classesKeys_) DeleteTree(P(), HKeyClassesRoot, key);
    scope_.reset();
    platform_.reset();
}

std::string BackendTest::Path(std::string_view relative) const {
    return relative.empty() ? base_ : base_ + "\\" + std::string(relative);
}

std::string BackendTest::ClassesKey() {
    classesKeys_.push_back("SarvellTest." + ProcessTag() + "." + std::to_string(classesKeys_.size()));
    DeleteTree(P(), HKeyClassesRoot, classesKeys_.back());
    return classesKeys_.back();
}

}  // namespace sarvell::test
