// The tagged value that registry reads and writes carry: empty, text, 16-bit
// or 32-bit integer, or byte array.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace sarvell::registry {

using Bytes = std::vector<std::uint8_t>;
using Variant = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, Bytes>;

inline bool IsEmpty(const Variant& v) { return std::holds_alternative<std::monostate>(v); }
inline bool IsInteger(const Variant& v) {
    return std::holds_alternative<std::int16_t>(v) || std::holds_alternative<std::int32_t>(v);
}
inline bool IsBytes(const Variant& v) { return std::holds_alternative<Bytes>(v); }

// Text form: empty -> "", integers in decimal, byte arrays as two-digit
// upper-case hex bytes separated by blanks ("0A FF").
std::string ToText(const Variant& v);

}  // namespace sarvell::registry
