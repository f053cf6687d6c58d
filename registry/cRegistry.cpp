#include "registry/cRegistry.h"

#include <algorithm>
#include <limits>

#include "registry/host.h"
#include "registry/platform.h"
#include "text/wtf8.h"

namespace sarvell::registry {

namespace {

constexpr int kReadAttempts = 8;


// The root of a value operation: ClassKey itself, or that root on the
// computer Machine names.
Status OpenRoot(Platform& platform, const std::string& machine, std::int32_t classKey, KeyHandle& remote,
                Handle& root) {
    root = RootHandle(classKey);
    if (machine.empty()) return status::Success;
    const Status s = platform.ConnectRegistry(machine, root, remote.put());
    root = remote.get();
    return s;
}

// Up to four bytes, the first the lowest.
std::int32_t LittleEndian(const std::vector<std::uint8_t>& bytes) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) v |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::int32_t ReverseByteOrder(std::int32_t x) {
    const auto u = static_cast<std::uint32_t>(x);
    return static_cast<std::int32_t>((u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24));
}

bool HasEnvironmentReference(std::string_view s) {
    const std::size_t first = s.find('%');
    return first != std::string_view::npos && s.find('%', first + 2) != std::string_view::npos;
}

void cRegistry::Machine(std::string_view sMachine) {
    if (text::FromWtf8(sMachine).size() < 3) {  // characters, not bytes
        machine_.clear();
    } else if (sMachine.substr(0, 2) != "\\\\") {
        machine_ = "\\\\" + std::string(sMachine);
    } else {
        machine_ = std::string(sMachine);
    }
}

void cRegistry::Raise(std::int32_t number, std::string description) const {
    throw RegistryError(number, RegistrySource(), std::move(description));
}

std::string cRegistry::RootText() const { return std::to_string(classKey_); }

std::string cRegistry::WriteFailureMessage(const Variant& vValue) const {
    return "Failed to set registry value Key: '" + RootText() + "',Section: '" + sectionKey_ + "',Key: '" +
           valueKey_ + "' to value: '" + ToText(vValue) + "'";
}

bool cRegistry::KeyExists() const {
    Platform& platform = CurrentPlatform();
    KeyHandle key(platform);
    return platform.OpenKey(RootHandle(classKey_), sectionKey_, kKeyQueryValue, key.put()) == status::Success;
}

bool cRegistry::CreateKey() {
    Platform& platform = CurrentPlatform();
    KeyHandle key(platform);
    if (platform.CreateKey(RootHandle(classKey_), sectionKey_, kKeySpecificRights, key.put()) != status::Success) {
        Raise(kErrRegistry, "Failed to create registry Key: '" + sectionKey_);
    }
    return true;
}

bool cRegistry::DeleteKey() {
    if (CurrentPlatform().DeleteKey(RootHandle(classKey_), sectionKey_) != status::Success) {
        Raise(kErrRegistry, "Failed to delete registry Key: '" + RootText() + "',Section: '" + sectionKey_);
    }
    return true;
}

bool cRegistry::DeleteValue() {
    Platform& platform = CurrentPlatform();
    KeyHandle key(platform);
    if (platform.OpenKey(RootHandle(classKey_), sectionKey_, kKeySpecificRights, key.put()) != status::Success) {
        Raise(kErrRegistry, "Failed to open key '" + RootText() + "',Section: '" + sectionKey_ + "' for delete access");
    }
    if (platform.DeleteValue(key.get(), valueKey_) != status::Success) {
        Raise(kErrRegistry,
              "Failed to delete registry Key: '" + RootText() + "',Section: '" + sectionKey_ + "',Key: '" + valueKey_);
    }
    return true;
}

std::string cRegistry::ExpandEnvironmentText(Platform& platform, const std::string& text) const {
    // The platform expands up to the first zero character; expanding each
    // zero-separated piece keeps the text behind a zero instead of cutting it.
    std::string out;
    for (std::size_t start = 0, zero;; start = zero + 1) {
        zero = std::min(text.find('\0', start), text.size());
        const std::string piece = text.substr(start, zero - start);
        const auto expanded = piece.empty() ? std::nullopt : platform.ExpandEnvironment(piece);
        out += expanded ? *expanded : piece;  // unexpanded rather than lost
        if (zero == text.size()) return out;
        out += '\0';
    }
}

Variant cRegistry::Value() {
    Variant v;
    return ReadValue(v) == status::Success ? v : default_;
}

Status cRegistry::ReadValue(Variant& out, bool expand) {
    Platform& platform = CurrentPlatform();
    KeyHandle remote(platform);
    Handle root = 0;
    if (Status s = OpenRoot(platform, machine_, classKey_, remote, root); s != status::Success) return s;
    KeyHandle key(platform);
    if (Status s = platform.OpenKey(root, sectionKey_, kKeyQueryValue, key.put()); s != status::Success) return s;

    // Size query with an empty buffer: 0 for a value without data, MoreData
    // with the byte count otherwise; anything else means there is no value.
    std::uint8_t probe[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    Status s = platform.QueryValue(key.get(), valueKey_, type, probe, size);
    if (s != status::Success && s != status::MoreData) return s;

    // Read the data; the value may change between the calls, so a buffer
    // that turns out too small is grown and the read repeated. Nothing past
    // the size the platform reports is ever used.
    std::vector<std::uint8_t> data;
    for (int attempt = 0;; ++attempt) {
        data.assign(size, 0);
        std::uint32_t got = size;
        s = platform.QueryValue(key.get(), valueKey_, type, data.empty() ? probe : data.data(), got);
        if (s == status::MoreData && attempt + 1 < kReadAttempts) {
            size = got;
            continue;
        }
        if (s != status::Success) return s;
        data.resize(data.empty() ? 0 : got);
        break;
    }
    valueType_ = static_cast<std::int32_t>(type);

    switch (type) {
        case kRegSz:
        case kRegMultiSz:
        case kRegExpandSz: {
            std::string text(data.begin(), data.end());
            // Drop the terminating zero, but only one that is really there:
            // data stored without one keeps its last character.
            if (!text.empty() && text.back() == '\0') text.pop_back();
            out = type == kRegExpandSz && expand ? ExpandEnvironmentText(platform, text) : std::move(text);
            return status::Success;
        }
        case kRegDword:
        case kRegDwordBigEndian: {
            // Up to four bytes read as the low bytes of an integer that
            // starts at 0; more than four cannot be an integer and are
            // handed out whole, as for any other binary data.
            if (data.size() <= 4) {
                const std::int32_t v = LittleEndian(data);
                out = type == kRegDword ? v : ReverseByteOrder(v);
                return status::Success;
            }
        }
    }
    // Binary data: one element more than the data, the last one 0.
    data.push_back(0);
    out = std::move(data);
    return status::Success;
}

Status cRegistry::WriteData(Platform& platform, Handle key, const Variant& vValue) const {
    switch (valueType_) {
        case kRegSz:
        case kRegExpandSz: {
            if (IsBytes(vValue)) return status::InvalidData;  // a byte array is not text
            std::string s = ToText(vValue);
            const std::uint32_t type = HasEnvironmentReference(s) ? kRegExpandSz : kRegSz;
            if (s.size() >= std::numeric_limits<std::uint32_t>::max()) return status::InvalidParameter;
            s.push_back('\0');
            return platform.SetValue(key, valueKey_, type, reinterpret_cast<const std::uint8_t*>(s.data()),
                                     static_cast<std::uint32_t>(s.size()));
        }
        case kRegBinary: {
            const Bytes& b = std::get<Bytes>(vValue);
            if (b.size() > std::numeric_limits<std::uint32_t>::max()) return status::InvalidParameter;
            return platform.SetValue(key, valueKey_, kRegBinary, b.data(), static_cast<std::uint32_t>(b.size()));
        }
        case kRegDword:
        case kRegDwordBigEndian: {
            // A value that is no integer is refused rather than dropped
            // without a word.
            if (!IsInteger(vValue)) return status::InvalidData;
            const auto v = static_cast<std::uint32_t>(std::holds_alternative<std::int16_t>(vValue)
                                                          ? std::get<std::int16_t>(vValue)
                                                          : std::get<std::int32_t>(vValue));
            const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                           static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
            return platform.SetValue(key, valueKey_, kRegDword, bytes, 4);
        }
        default:
            return status::InvalidData;
    }
}

void cRegistry::Value(Variant vValue) {
    Platform& platform = CurrentPlatform();
    KeyHandle remote(platform);
    Handle root = 0;
    // An unreachable computer is a failed write, not a silent no-op.
    if (OpenRoot(platform, machine_, classKey_, remote, root) != status::Success) {
        Raise(kErrRegistry, WriteFailureMessage(vValue));
    }
    KeyHandle key(platform);
    if (platform.CreateKey(root, sectionKey_, kKeySpecificRights, key.put()) != status::Success) {
        Raise(kErrRegistry, WriteFailureMessage(vValue));
    }
    if (valueType_ == kRegBinary && !IsBytes(vValue)) {
        // Raised with no description of its own: the standard one fills in.
        throw RegistryError(kErrRegistry, host::ProgramName(), kApplicationDefinedError);
    }
    if (WriteData(platform, key.get(), vValue) != status::Success) Raise(kErrSetValue, WriteFailureMessage(vValue));
}

Variant cRegistry::ValueEx(std::int32_t eClassKey, std::string sSectionKey, std::string sValueKey,
                           std::int32_t eValueType, Variant vDefault) {
    ClassKey(eClassKey);
    SectionKey(std::move(sSectionKey));
    ValueKey(std::move(sValueKey));
    ValueType(eValueType);
    Default(std::move(vDefault));
    return Value();
}

void cRegistry::ValueEx(std::int32_t eClassKey, std::string sSectionKey, std::string sValueKey,
                        std::int32_t eValueType, Variant vDefault, Variant NewValue) {
    ClassKey(eClassKey);
    SectionKey(std::move(sSectionKey));
    ValueKey(std::move(sValueKey));
    ValueType(eValueType);
    Default(std::move(vDefault));
    if (eValueType == kRegSz && !IsBytes(NewValue) && ToText(NewValue).empty()) NewValue = default_;
    Value(std::move(NewValue));
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) const {
    iKeyCount = 0;
    sKeyNames.clear();
    Platform& platform = CurrentPlatform();
    KeyHandle key(platform);
    if (platform.OpenKey(RootHandle(classKey_), sectionKey_, kKeyQueryValue, key.put()) != status::Success) {
        return true;
    }
    std::uint32_t longest = 0;
    if (platform.QueryInfoKey(key.get(), longest) != status::Success) return true;
    std::string name;
    for (std::uint32_t index = 0; iKeyCount != std::numeric_limits<std::int32_t>::max() &&
                                  platform.EnumValue(key.get(), index, longest + 1, name) == status::Success;
         ++index) {
        sKeyNames.push_back(name);
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount) const {
    iSectCount = 0;
    sSect.clear();
    Platform& platform = CurrentPlatform();
    KeyHandle key(platform);
    if (platform.OpenKey(RootHandle(classKey_), sectionKey_, kKeyEnumerateSubKeys, key.put()) != status::Success) {
        return true;
    }
    constexpr std::uint32_t kNameBuffer = 255;
    std::string name;
    for (std::uint32_t index = 0; platform.EnumKey(key.get(), index, kNameBuffer, name) == status::Success; ++index) {
        if (iSectCount == std::numeric_limits<std::int32_t>::max()) Raise(kErrEnumerateSections, "Overflow");
        sSect.push_back(name);
        ++iSectCount;
    }
    return true;
}

}  // namespace sarvell::registry
