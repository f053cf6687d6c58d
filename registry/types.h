// Numbers of the Windows registry, kept free of <windows.h> so that the
// portable core can use them: root keys, value types, access masks and the
// statuses the platform answers with.
#pragma once

#include <cstdint>

namespace sarvell::registry {

// Predefined root keys, as the 32-bit values callers store in ClassKey.
inline constexpr std::int32_t HKeyClassesRoot = INT32_MIN;          // 0x80000000
inline constexpr std::int32_t HKeyCurrentUser = INT32_MIN + 1;      // 0x80000001
inline constexpr std::int32_t HKeyLocalMachine = INT32_MIN + 2;     // 0x80000002
inline constexpr std::int32_t HKeyUsers = INT32_MIN + 3;            // 0x80000003
inline constexpr std::int32_t HKeyCurrentConfig = INT32_MIN + 5;    // 0x80000005

// Value types.
inline constexpr std::int32_t kRegNone = 0;
inline constexpr std::int32_t kRegSz = 1;
inline constexpr std::int32_t kRegExpandSz = 2;
inline constexpr std::int32_t kRegBinary = 3;
inline constexpr std::int32_t kRegDword = 4;
inline constexpr std::int32_t kRegDwordBigEndian = 5;
inline constexpr std::int32_t kRegLink = 6;
inline constexpr std::int32_t kRegMultiSz = 7;

// Access masks as cRegistry passes them.
inline constexpr std::uint32_t kKeyQueryValue = 0x1;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x8;
inline constexpr std::uint32_t kKeySpecificRights = 0x3F;

// Platform statuses (Win32 error codes).
using Status = long;
namespace status {
inline constexpr Status Success = 0;
inline constexpr Status FileNotFound = 2;
inline constexpr Status AccessDenied = 5;
inline constexpr Status InvalidHandle = 6;
inline constexpr Status NotEnoughMemory = 8;
inline constexpr Status InvalidData = 13;
inline constexpr Status BadNetPath = 53;
inline constexpr Status InvalidParameter = 87;
inline constexpr Status BadPathname = 161;
inline constexpr Status MoreData = 234;
inline constexpr Status NoMoreItems = 259;
inline constexpr Status KeyDeleted = 1018;
}  // namespace status

// Limits the platform enforces on names, in characters.
inline constexpr std::size_t kMaxKeyNameChars = 256;     // one level of a key path (Wine allows 256)
inline constexpr std::size_t kMaxValueNameChars = 16383;

}  // namespace sarvell::registry
