// A 64-bit FNV-1a digest: pins a long text so that any changed letter fails,
// without a second copy of the text in the tests.
#pragma once

#include <cstdint>
#include <string_view>

namespace sarvell::test {

constexpr std::uint64_t Digest(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (char c : text) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001b3u;
    return h;
}

}  // namespace sarvell::test
