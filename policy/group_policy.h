// What Group Policy decides about Outlook's attachment lists, read (never
// written) below HKEY_CURRENT_USER, in the version's security key under
// Software\Policies, so that the window can say why a change may have no
// effect. Every read that fails counts as "not set".
#pragma once

#include <string>
#include <string_view>

namespace sarvell::policy {

// The security key path of that version below Software\Policies.
std::string PolicyKeyPathFor(std::string_view version);

// What the main window's title adds to "Sarvell": nothing without such a
// policy, else a short note in brackets:
//   AdminSecurityMode 3 and AllowUsersToLowerAttachments not 1:
//     Outlook ignores the user's Level1Remove;
//   AdminSecurityMode 3 and FileExtensionsAddLevel1 listing an extension:
//     those stay blocked whatever the user marks safe;
//   AdminSecurityMode 3 alone: the lists are managed, the user's apply.
std::string GroupPolicyNote(const std::string& policyKeyPath);

inline constexpr const char* kNoteSafeListIgnored = " [Group Policy ignores your safe list]";
inline constexpr const char* kNoteSomeStayBlocked = " [Group Policy keeps some types blocked]";
inline constexpr const char* kNoteManaged = " [Managed by Group Policy]";

}  // namespace sarvell::policy
