#pragma once

#include "texts/text_book.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zem {

inline constexpr std::size_t kMaxTextBytes = 10 * 1024 * 1024;

// A text opened to be typed: the book, or the error box's text for a file
// refused ("文章ファイル「名前」は使えません。" and the reason on a second
// line). The hash of the file's bytes tells a bookmark whether the text it
// was made in is still the same.
struct TextFile {
    std::optional<TextBook> book;
    std::string refusal;
    std::uint64_t contentHash = 0;
};

// FNV-1a, 64 bits.
std::uint64_t contentHash(std::string_view bytes);

// The bytes of a text, decoded (UTF-8 with or without a BOM, or Shift_JIS)
// and parsed; `name` names it in a refusal and is the title when the text
// has no Aozora header.
TextFile readTextBytes(std::string_view bytes, const std::string &name);

// Reads the text at `path`: a regular file of at most kMaxTextBytes, refused
// unread otherwise. Its name is the file's base name without its extension.
TextFile readTextFile(const std::string &path);

} // namespace zem
