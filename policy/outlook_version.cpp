#include "policy/outlook_version.h"

#include <new>

#include "registry/cRegistry.h"

namespace sarvell::policy {

using registry::cRegistry;

std::string GetOutlookVersion() noexcept {
    try {
        cRegistry reg;
        reg.ClassKey(registry::HKeyClassesRoot);
        reg.SectionKey(kCurVerKey);
        if (!reg.KeyExists()) return kNoVersion;
        const registry::Variant value = reg.Value();
        // A programmatic name is text; binary data names no version.
        if (registry::IsBytes(value)) return kNoVersion;
        const std::string name = registry::ToText(value);
        if (name.empty()) return kNoVersion;
        const std::size_t dot = name.rfind('.');
        return (dot == std::string::npos ? name : name.substr(dot + 1)) + ".0";
    } catch (const registry::RegistryError&) {  // unreadable: no Outlook to be found
    } catch (const std::bad_alloc&) {           // as unreadable
    }
    return kNoVersion;
}

std::string SecurityKeyPathFor(std::string_view version) {
    static constexpr std::string_view kPlaceholder = "VERSION";
    const std::string_view tmpl = kSecurityKeyTemplate;
    std::string path;
    std::size_t at = 0;
    for (std::size_t hit; (hit = tmpl.find(kPlaceholder, at)) != std::string_view::npos; at = hit + kPlaceholder.size()) {
        path.append(tmpl.substr(at, hit - at)).append(version);
    }
    path.append(tmpl.substr(at));
    return path;
}

}  // namespace sarvell::policy
