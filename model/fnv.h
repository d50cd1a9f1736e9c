#pragma once

#include <cstdint>
#include <string_view>

namespace zem {

// FNV-1a, 64 bits: a cheap hash of bytes, for a spool record's checksum and a
// text's contents.
inline std::uint64_t fnv1a64(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 0x100000001b3u;
    return hash;
}

} // namespace zem
