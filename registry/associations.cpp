// The file-type association helpers of cRegistry. The program's own windows
// never call them; they are kept for callers that register a program as the
// handler of a file type.
#include "registry/cRegistry.h"

namespace sarvell::registry {

namespace {

// The program path as command lines use it: without surrounding blanks, in
// double quotes.
std::string QuotedPath(const std::string& path) {
    const std::size_t first = path.find_first_not_of(' ');
    std::string q = first == std::string::npos ? std::string() : path.substr(first, path.find_last_not_of(' ') - first + 1);
    if (q.empty() || q.front() != '"') q.insert(q.begin(), '"');
    if (q.back() != '"') q.push_back('"');
    return q;
}

}  // namespace

void cRegistry::WriteClassesValue(const std::string& text) {
    ClassKey(HKeyClassesRoot);
    Value(Variant(text));
    const std::string section = sectionKey_;
    ClassKey(HKeyLocalMachine);
    SectionKey("SOFTWARE\\Classes\\" + section);
    Value(Variant(text));
    SectionKey(section);
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription, const std::string& sAssociation,
                                     std::string sOpenMenuText, bool bSupportPrint, std::string sPrintMenuText,
                                     bool bSupportNew, std::string sNewMenuText, bool bSupportInstall,
                                     std::string sInstallMenuText, std::int32_t lDefaultIconIndex) {
    const std::string path = QuotedPath(sExePath);
    const std::string file = "\"%1\"";
    auto write = [&](const std::string& section, const std::string& text) {
        SectionKey(section);
        WriteClassesValue(text);
    };
    SectionKey("." + sAssociation);
    ValueType(kRegSz);
    ValueKey("");
    WriteClassesValue(sClassName);
    SectionKey(sClassName);
    WriteClassesValue(sClassDescription);
    const std::string shell = sClassName + "\\shell\\";
    write(shell + "open", sOpenMenuText.empty() ? "&Open" : sOpenMenuText);
    write(shell + "open\\command", path + " " + file);
    if (bSupportPrint) {
        write(shell + "print", sPrintMenuText.empty() ? "&Print" : sPrintMenuText);
        write(shell + "print\\command", path + " /p " + file);
    }
    if (bSupportInstall) {
        write(shell + "add", sInstallMenuText.empty() ? "&Install " + sAssociation : sInstallMenuText);
        write(shell + "add\\command", path + " /a " + file);
    }
    if (bSupportNew) {
        write(shell + "new", sNewMenuText.empty() ? "&New" : sNewMenuText);
        write(shell + "new\\command", path + " /n " + file);
    }
    if (lDefaultIconIndex > -1) write(sClassName + "\\DefaultIcon", path + "," + std::to_string(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<Variant>& vItems) {
    if (vItems.size() % 3 != 0) {
        Raise(kErrAssociationItems,
              "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected Name/Text/Command");
    }
    SectionKey(sClassName);
    if (!KeyExists()) Raise(kErrClassNotDefined, "Error - attempt to create additional associations before class defined.");
    for (std::size_t i = 0; i < vItems.size(); i += 3) {
        const std::string verb = sClassName + "\\shell\\" + ToText(vItems[i]);
        ValueType(kRegSz);
        const std::pair<std::string, std::string> steps[] = {{verb, ToText(vItems[i + 1])},
                                                             {verb + "\\command", ToText(vItems[i + 2])}};
        for (const auto& [section, text] : steps) {
            SectionKey(section);
            ValueKey("");
            try {
                WriteClassesValue(text);
            } catch (const RegistryError&) {
                // A step that fails is skipped; the next one sets its key afresh.
            }
        }
    }
}

}  // namespace sarvell::registry
