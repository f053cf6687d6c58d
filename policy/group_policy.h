// What decides, above the user's own lists, what an Outlook blocks: Group
// Policy and the Office cloud policy service (below Software\Policies), and
// the new Outlook switched on. All of it read, never written, below
// HKEY_CURRENT_USER, so that the window can say why a change may have no
// effect. A read that fails, and a value of another type than the DWORD
// the administrative templates write, count as "not set".
#pragma once

#include <string>
#include <string_view>

namespace sarvell::policy {

// What the main window's title adds to "Sarvell" for that Outlook version:
// nothing when the user's lists decide, else the most decisive of
//   the new Outlook in use (16.0 only): it reads neither list;
//   DisallowAttachmentCustomization 1, whatever the security mode: Outlook
//     ignores the user's Level1Remove;
//   AdminSecurityMode 3 and AllowUsersToLowerAttachments not 1: the same;
//   AdminSecurityMode 3 and FileExtensionsAddLevel1 listing an extension:
//     those stay blocked whatever the user marks safe;
//   AdminSecurityMode 3 alone: the lists are managed, the user's apply.
// Each value comes from Cloud Policy where that sets it, else from Group
// Policy, and the note names the one that decides.
std::string PolicyNote(std::string_view version);

inline constexpr const char* kNoteNewOutlook = " [The new Outlook ignores your lists]";
inline constexpr const char* kNoteRestart = " [Restart Outlook to apply]";
// Why the last click changed nothing, and, after a change, that no Outlook
// reads the lists.
inline constexpr const char* kNoteNotSaved = " [Your change could not be saved]";
inline constexpr const char* kNoteNotText = " is not text: left as it is]";  // after " [" and the value's name
inline constexpr const char* kNoteNoOutlook = " [No Outlook registered: none reads these lists]";

}  // namespace sarvell::policy
