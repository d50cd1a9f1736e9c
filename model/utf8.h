#pragma once

#include <cstddef>
#include <string_view>

namespace zem {

// Bytes of the UTF-8 sequence its lead byte opens; 0 for a byte that opens
// none (a continuation byte, C0, C1, F5 to FF).
inline std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The byte length of the UTF-8 character that starts at `at` (1 for a stray
// continuation or lead byte, so that any text can be walked), never past the end.
inline std::size_t utf8CharLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xF0)
        length = 4;
    else if (lead >= 0xE0)
        length = 3;
    else if (lead >= 0xC0)
        length = 2;
    return at + length <= text.size() ? length : text.size() - at;
}

} // namespace zem
