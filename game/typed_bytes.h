#pragma once

#include <string>
#include <string_view>

namespace zem {

// The code page 932 bytes that a window of that code page receives for a
// typed text (UTF-8): ASCII as it is, a half-width katakana one byte, any
// other Japanese character two bytes, and a character the code page cannot
// write one "?". The judge then sees each byte as one character.
std::string typedBytes(std::string_view utf8);

} // namespace zem
