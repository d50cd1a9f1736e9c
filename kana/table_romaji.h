#pragma once

#include <span>
#include <string>
#include <string_view>

namespace zem {

// The game's table spelling of a hiragana text (upper-case letters): one
// letter group per kana as the phrase table spells it (SI TI TU HU ZI, ZU for
// both ず and づ, ZI for ぢ, WO for を, consonant+Y+vowel for contracted
// sounds, NN for ん always, a doubled consonant for っ before a consonant; っ
// before a vowel, N, at the end or before ん/っ/ー/punctuation is XTU), and for kana
// the table never needs the common input-method spelling: ファ FA, ティ THI,
// ディ DHI, ヴ VU, ヴァ VA, ウェ WE, small kana alone XA XI XU XE XO XYA XYU
// XYO XWA XTU, ゐ WYI, ゑ WYE, the rare クゥ スィ グィ as KUXU SUXI GUXI, and
// so on; ー is "-", 、 is ",", 。 is ".".
// False when some character has no spelling (a kanji, a Latin letter, a
// space, ゟ ...): then `untypable`, when given, receives that first character
// (UTF-8) and `romaji` is unspecified.
bool tableRomaji(std::string_view hiragana, std::string &romaji, std::string *untypable = nullptr);

// The same, per unit: the table letters of units[at] (a unit of kanaUnits()) in
// its context, since っ depends on what follows. Empty when it has no spelling.
std::string unitTableRomaji(std::span<const std::string> units, std::size_t at);

// Whether っ is written by doubling the first letter of `next`, the spelling of
// the kana after it: only a consonant, and never N, which would read as ん.
bool doublesForSokuon(std::string_view next);

} // namespace zem
