#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zem {

// Code page 932 (Shift_JIS as Windows writes it) and UTF-8, each way: the
// keys a window of that code page receives, the record file's bytes and the
// player's phrase files.

// The code page 932 bytes that a window of that code page receives for a
// typed text (UTF-8): ASCII as it is, a half-width katakana one byte, any
// other Japanese character two bytes, and a character the code page cannot
// write one "?". The judge then sees each byte as one character.
std::string encodeCodePage932(std::string_view utf8);

// The whole text of code page 932 bytes as UTF-8; nothing when any byte
// starts no character.
std::optional<std::string> decodeCodePage932(std::string_view bytes);

// Bytes that may be anything, as UTF-8 for a label or a message: printable
// ASCII unchanged, other bytes decoded as code page 932; an undecodable byte
// and a control byte (NUL, tab, DEL, ...) as U+FFFD, so the whole text is
// seen and nothing in it ends a message or hides in a label.
std::string showCodePage932(std::string_view bytes);

} // namespace zem
