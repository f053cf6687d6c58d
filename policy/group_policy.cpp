#include "policy/group_policy.h"

#include "policy/list_value.h"
#include "policy/outlook_version.h"
#include "registry/cRegistry.h"

namespace sarvell::policy {

namespace {

// The value as stored, or empty when it is absent or cannot be read. Only a
// read: Value() opens the key for querying and never creates it.
registry::Variant Read(const std::string& keyPath, const char* name) noexcept {
    try {
        registry::cRegistry reg;
        reg.ClassKey(registry::HKeyCurrentUser);
        reg.SectionKey(keyPath);
        reg.ValueKey(name);
        return reg.Value();
    } catch (...) {
        return {};
    }
}

// Policies are DWORDs; a value of another type is not one Outlook reads.
bool IsDword(const registry::Variant& v, std::int32_t n) {
    return std::holds_alternative<std::int32_t>(v) && std::get<std::int32_t>(v) == n;
}

}  // namespace

std::string PolicyKeyPathFor(std::string_view version) {
    std::string path = SecurityKeyPathFor(version);
    return path.insert(path.find('\\') + 1, "Policies\\");
}

std::string GroupPolicyNote(const std::string& policyKeyPath) {
    // The other policies apply only while the security mode is set to
    // "Use Outlook Security Group Policy".
    if (!IsDword(Read(policyKeyPath, "AdminSecurityMode"), 3)) return {};
    if (!IsDword(Read(policyKeyPath, "AllowUsersToLowerAttachments"), 1)) return kNoteSafeListIgnored;
    const registry::Variant added = Read(policyKeyPath, "FileExtensionsAddLevel1");
    if (std::holds_alternative<std::string>(added)) {
        for (const std::string& entry : SplitEntries(std::get<std::string>(added))) {
            if (!entry.empty()) return kNoteSomeStayBlocked;
        }
    }
    return kNoteManaged;
}

}  // namespace sarvell::policy
