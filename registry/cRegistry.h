// cRegistry: the program's only road to the registry. An instance holds the
// address of a key or value in plain properties; every operation works on
// the address they hold at the moment of the call, opens what it needs and
// closes it before it returns, so no handle outlives a call.
//
// Properties are overloaded pairs: Name() reads, Name(x) writes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_error.h"
#include "registry/types.h"
#include "registry/variant.h"

namespace sarvell::registry {

class Platform;

class cRegistry {
public:
    // Remote computer for value reads and writes; stored as "\\name", or
    // empty for the local registry.
    const std::string& Machine() const { return machine_; }
    void Machine(std::string_view sMachine);

    // Whether SectionKey can be opened under ClassKey for reading values.
    bool KeyExists() const;
    // Each answers true or raises a RegistryError; never false.
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();

    // Reads the value; answers Default when nothing can be read.
    Variant Value();
    // The same read, telling why nothing could be read: Success with the
    // value in `out`; FileNotFound when the key or the value is absent; any
    // other status when reading failed. With `expand` false, REG_EXPAND_SZ
    // data comes back as stored, so that a rewrite keeps it unchanged.
    Status ReadValue(Variant& out, bool expand = true);
    // Writes the value as ValueType asks, creating the key when missing.
    void Value(Variant vValue);

    // Names of the key's values / sub-keys, in platform order. Always true.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) const;
    bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount) const;

    // File-type associations (associations.cpp), which the program's own
    // windows never call.
    // Registers a program as the handler of a file type, under both
    // HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes. The first
    // write that fails ends it; what was written before stays.
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              std::string sOpenMenuText = "&Open", bool bSupportPrint = false,
                              std::string sPrintMenuText = "&Print", bool bSupportNew = false,
                              std::string sNewMenuText = "&New", bool bSupportInstall = false,
                              std::string sInstallMenuText = "", std::int32_t lDefaultIconIndex = -1);
    // Adds verbs to a class that exists below the current ClassKey: items in
    // groups of verb name, menu text, command line. A write that fails is
    // skipped and the rest goes on.
    void CreateAdditionalEXEAssociations(const std::string& sClassName, const std::vector<Variant>& vItems);

    std::int32_t ValueType() const { return valueType_; }
    void ValueType(std::int32_t eValueType) { valueType_ = eValueType; }
    std::int32_t ClassKey() const { return classKey_; }
    void ClassKey(std::int32_t eKey) { classKey_ = eKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(std::string sSectionKey) { sectionKey_ = std::move(sSectionKey); }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(std::string sValueKey) { valueKey_ = std::move(sValueKey); }
    const Variant& Default() const { return default_; }
    void Default(Variant vDefault) { default_ = std::move(vDefault); }

    // Set the address and read or write in one call; the properties keep
    // the arguments.
    Variant ValueEx(std::int32_t eClassKey, std::string sSectionKey, std::string sValueKey, std::int32_t eValueType,
                    Variant vDefault);
    void ValueEx(std::int32_t eClassKey, std::string sSectionKey, std::string sValueKey, std::int32_t eValueType,
                 Variant vDefault, Variant NewValue);

private:
    [[noreturn]] void Raise(std::int32_t number, std::string description) const;
    std::string RootText() const;
    std::string WriteFailureMessage(const Variant& vValue) const;
    Status WriteData(Platform& platform, std::intptr_t key, const Variant& vValue) const;
    std::string ExpandEnvironmentText(Platform& platform, const std::string& text) const;
    void WriteClassesValue(const std::string& text);

    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    std::int32_t valueType_ = kRegNone;
    Variant default_;
    std::string machine_;
};

// Reverses the four bytes of a 32-bit integer.
std::int32_t ReverseByteOrder(std::int32_t x);

// Whether a text written as a string is stored as REG_EXPAND_SZ: it holds a
// "%" and, at least two characters after it, another "%".
bool HasEnvironmentReference(std::string_view s);

}  // namespace sarvell::registry
