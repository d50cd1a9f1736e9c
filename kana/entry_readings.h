#pragma once

#include <string>
#include <string_view>

namespace zem {

// Table romaji read back into hiragana by the table's own romanisation: NN is
// ん, a doubled consonant other than N is っ, and each letter group is the
// first kana the table spells so (ZU is ず, ZI is じ, WI is うぃ). False when
// some letters are no table spelling; `kana` is then unspecified.
bool kanaFromTableRomaji(std::string_view romaji, std::string &kana);

// The reading of a built-in entry, given its table romaji: the romaji read
// back into kana, except where the romaji cannot tell two kana apart (ず/づ,
// じ/ぢ ...): there a small table of our own gives the true reading (杵柄
// KINEZUKA is きねづか). Empty when the romaji cannot be read.
std::string entryKana(std::string_view tableRomaji);

} // namespace zem
