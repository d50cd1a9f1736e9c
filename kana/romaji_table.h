#pragma once

#include <span>
#include <string_view>

namespace zem {

// One kana (or a kana with the small kana that makes one sound with it) and
// every key sequence that types it, upper-case, separated by single spaces.
// The first is the game's table spelling; the rest are those the common
// input-method romaji table takes. ん's single N and っ's doubled consonant
// depend on the next kana and are rules of their own, not listed here.
struct KanaSpellings {
    std::string_view kana;
    std::string_view spellings;
};

std::span<const KanaSpellings> romajiTable();

// The row of exactly this kana text (one or two characters), or null.
const KanaSpellings *findSpellings(std::string_view kana);

// The first of a row's spellings: the table's.
std::string_view tableSpelling(const KanaSpellings &row);

} // namespace zem
