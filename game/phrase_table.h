#pragma once

#include <array>

namespace zem {

// One row of the built-in phrases: a proverb and a word, each as the romaji the
// player types (upper-case A to Z only) and the written form the bubble shows.
// The two entries of a row only share the row number.
struct Phrase {
    const char *proverbRomaji;
    const char *proverbDisplay;
    const char *wordRomaji;
    const char *wordDisplay;
};

inline constexpr int kPhraseCount = 50;

extern const std::array<Phrase, kPhraseCount> PhraseTable;

} // namespace zem
