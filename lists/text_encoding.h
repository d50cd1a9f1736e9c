#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zem {

// The bytes of a text file as UTF-8, whichever of the two encodings a
// Japanese editor writes: well-formed UTF-8 is taken as it is (after a BOM,
// which allows nothing else), anything else is read as Shift_JIS (code page
// 932). No text when the bytes hold a NUL or are neither.
std::optional<std::string> decodeText(std::string_view bytes);

// Whether the bytes are well-formed UTF-8: shortest forms only, no surrogate,
// nothing past U+10FFFF.
bool isUtf8(std::string_view bytes);

} // namespace zem
