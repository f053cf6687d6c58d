// The Windows tests that run Sarvell's code in their own process see a
// registry of their own: HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER are keys below
// HKEY_CURRENT_USER\Software\SarvellTests\Roots.<process id>, made before
// the first test and deleted after the last. What they write or delete,
// Outlook's own registration among it, never reaches the machine's keys, on
// Windows as under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

namespace {

const std::pair<HKEY, const wchar_t*> kRoots[] = {  // HKEY_CURRENT_USER last: the others are made below the real one
    {HKEY_CLASSES_ROOT, L"ClassesRoot"}, {HKEY_LOCAL_MACHINE, L"LocalMachine"}, {HKEY_CURRENT_USER, L"CurrentUser"}};

class ScratchRoots : public ::testing::Environment {
    void SetUp() override {
        for (const auto& [root, name] : kRoots) {
            HKEY key = nullptr;
            ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (path_ + L"\\" + name).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                      &key, nullptr),
                      ERROR_SUCCESS);
            ASSERT_EQ(RegOverridePredefKey(root, key), ERROR_SUCCESS);
            RegCloseKey(key);
        }
    }
    void TearDown() override {
        for (const auto& [root, name] : kRoots) RegOverridePredefKey(root, nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\SarvellTests");  // only when no other run still has keys there
    }
    const std::wstring path_ = L"Software\\SarvellTests\\Roots." + std::to_wstring(GetCurrentProcessId());
};

[[maybe_unused]] auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ScratchRoots);

}  // namespace
