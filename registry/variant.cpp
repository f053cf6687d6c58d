#include "registry/variant.h"

namespace sarvell::registry {

std::string ToText(const Variant& v) {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::int16_t i) const { return std::to_string(i); }
        std::string operator()(std::int32_t i) const { return std::to_string(i); }
        std::string operator()(const Bytes& b) const {
            static constexpr char kHex[] = "0123456789ABCDEF";
            std::string out;
            for (std::uint8_t x : b) {
                if (!out.empty()) out += ' ';
                out += kHex[x >> 4];
                out += kHex[x & 0xF];
            }
            return out;
        }
    };
    return std::visit(Visitor{}, v);
}

}  // namespace sarvell::registry
