#include "policy/group_policy.h"

#include <new>

#include "policy/list_value.h"
#include "registry/cRegistry.h"

namespace sarvell::policy {

namespace {

using registry::Variant;

// The value as stored, or empty when it is absent or cannot be read. Only a
// read: Value() opens the key for querying and never creates it.
Variant Read(const std::string& keyPath, const char* name) {
    try {
        registry::cRegistry reg;
        reg.ClassKey(registry::HKeyCurrentUser);
        reg.SectionKey(keyPath);
        reg.ValueKey(name);
        return reg.Value();
    } catch (const registry::RegistryError&) {  // unreadable: not set
    } catch (const std::bad_alloc&) {           // as unreadable
    }
    return {};
}

bool IsDword(const Variant& v) { return std::holds_alternative<std::int32_t>(v); }
bool IsDword(const Variant& v, std::int32_t n) { return IsDword(v) && std::get<std::int32_t>(v) == n; }
bool IsText(const Variant& v) { return std::holds_alternative<std::string>(v); }

// A policy value, and the policy that sets it (nothing when none does).
struct Setting {
    std::string by;
    Variant value;
};

}  // namespace

std::string PolicyNote(std::string_view version) {
    const std::string v(version);
    if (v == "16.0" && IsDword(Read("Software\\Microsoft\\Office\\16.0\\Outlook\\Preferences", "UseNewOutlook"), 1)) {
        return kNoteNewOutlook;
    }
    // Cloud Policy's values take precedence over Group Policy's, one by one.
    const std::pair<const char*, std::string> sources[] = {
        {"Cloud Policy", "Software\\Policies\\Microsoft\\Cloud\\Office\\" + v + "\\Outlook"},
        {"Group Policy", "Software\\Policies\\Microsoft\\Office\\" + v + "\\Outlook"}};
    // Outlook 2010 and later read DisallowAttachmentCustomization in the
    // Outlook key, Outlook 2007 in its Security key; the others are all there.
    const auto setting = [&](const char* name, bool (*isSet)(const Variant&),
                             std::initializer_list<const char*> keys = {"\\Security"}) {
        for (const auto& [by, outlook] : sources) {
            for (const char* key : keys) {
                if (Variant value = Read(outlook + key, name); isSet(value)) return Setting{by, value};
            }
        }
        return Setting{};
    };
    const Setting disallowed = setting("DisallowAttachmentCustomization", IsDword, {"", "\\Security"});
    if (IsDword(disallowed.value, 1)) return " [" + disallowed.by + " ignores your safe list]";
    // The others apply only while the security mode is set to "Use Outlook
    // Security Group Policy".
    const Setting mode = setting("AdminSecurityMode", IsDword);
    if (!IsDword(mode.value, 3)) return {};
    if (const Setting allowed = setting("AllowUsersToLowerAttachments", IsDword); !IsDword(allowed.value, 1)) {
        return " [" + (allowed.by.empty() ? mode.by : allowed.by) + " ignores your safe list]";
    }
    if (const Setting added = setting("FileExtensionsAddLevel1", IsText); IsText(added.value)) {
        for (const std::string& entry : SplitEntries(std::get<std::string>(added.value))) {
            if (!entry.empty()) return " [" + added.by + " keeps some types blocked]";
        }
    }
    return " [Managed by " + mode.by + "]";
}

}  // namespace sarvell::policy
