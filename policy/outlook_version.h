// Which Outlook is registered, and where it keeps its attachment-security
// values for that version.
#pragma once

#include <string>
#include <string_view>

namespace sarvell::policy {

inline constexpr const char* kNoVersion = "n/a";
inline constexpr const char* kVersionLabelPrefix = "Outlook v";
inline constexpr const char* kCurVerKey = "\\Outlook.Application\\CurVer";
inline constexpr const char* kSecurityKeyTemplate = "Software\\Microsoft\\Office\\VERSION\\Outlook\\Security";

// The registered Outlook version, such as "11.0", from the default value of
// HKEY_CLASSES_ROOT\Outlook.Application\CurVer; "n/a" on every failure.
std::string GetOutlookVersion() noexcept;

// The security key path below HKEY_CURRENT_USER for a version text.
std::string SecurityKeyPathFor(std::string_view version);

}  // namespace sarvell::policy
