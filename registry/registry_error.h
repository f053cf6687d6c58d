// The error cRegistry raises: a number, a source and a description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace sarvell::registry {

inline constexpr std::int32_t kErrRegistry = 26001;
inline constexpr std::int32_t kErrSetValue = static_cast<std::int32_t>(0x800469A9u);
inline constexpr std::int32_t kErrEnumerateSections = static_cast<std::int32_t>(0x800469AAu);
inline constexpr std::int32_t kErrAssociationItems = static_cast<std::int32_t>(0x800469ACu);
inline constexpr std::int32_t kErrClassNotDefined = static_cast<std::int32_t>(0x800469ADu);

// What an error raised with no description of its own reads.
inline constexpr const char* kApplicationDefinedError = "Application-defined or object-defined error";

class RegistryError : public std::runtime_error {
public:
    RegistryError(std::int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    std::int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
};


// "<program>.cRegistry", the source of every error the class raises.
std::string RegistrySource();

}  // namespace sarvell::registry
