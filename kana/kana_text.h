#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zem {

// Katakana (U+30A1..U+30F6, and ヽヾ) turned into the matching hiragana; ー, 、,
// 。 and everything else unchanged. UTF-8 in, UTF-8 out.
std::string toHiragana(std::string_view utf8);

// Hiragana text cut into the units that are typed and counted as one kana: a
// kana with a following small ゃゅょ (or small ぁぃぅぇぉ/ゎ where that makes
// one sound: ふぁ, てぃ, うぇ, でゅ...) is one unit; っ, ん, ー, 、, 。 are
// units of their own, and so is any other character. Each unit is its UTF-8 text.
std::vector<std::string> kanaUnits(std::string_view hiragana);

} // namespace zem
