#pragma once

#include <cstddef>
#include <string_view>

namespace zem {

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
