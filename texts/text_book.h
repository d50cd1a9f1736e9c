#pragma once

#include "texts/aozora.h"
#include "texts/reading_analyser.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// One phrase of a text, as the game plays it: the text shown, its reading in
// hiragana (with ー 、 。), and the reading in the table's spelling.
struct TextPhrase {
    std::string display;
    std::string kana;
    std::string romaji;
    bool operator==(const TextPhrase &) const = default;
};

// Why a sentence gives no phrase. The sentences a player is told were left
// out are those for any reason but NothingToType.
enum class LeftOut {
    No,
    NothingToType, // only punctuation and symbols: no loss to the player
    NoReading,     // a word without a reading: unknown to the analyser, Latin letters, digits, ※
    Untypable,     // a reading the table cannot spell
    TooLong,       // a word (or ruby base) too long for the bubble by itself
    NoAnalyser,    // it needs the analyser, and none was given
};

// A text cut into sentences, in order: an Aozora Bunko file without its
// header, footer and notation, or any plain text. A sentence is read and cut
// into phrases only when asked for, so that a book of any length opens at
// once; the object is not changed by reading it.
class TextBook {
public:
    // Parses decoded text (UTF-8); the sentences are split but not yet read.
    // `fallbackTitle` is the title when the text has no Aozora header.
    static TextBook parse(std::string_view utf8Text, std::string fallbackTitle);

    const std::string &title() const { return title_; }
    std::size_t sentenceCount() const { return sentences_.size(); }
    // The sentence as shown, with the readings its rubies give.
    const MarkedText &sentence(std::size_t index) const { return sentences_[index]; }

    // Whether reading the sentence takes the analyser: it has a word that is
    // not kana and has no ruby, or a run of kana too long for the bubble that
    // only the analyser can cut into words. A sentence left out whatever the
    // analyser would say (Latin letters, digits, ※ outside a ruby) needs none.
    bool needsAnalyser(std::size_t index) const;

    // The phrases of one sentence, cut to fit the bubble (at most
    // kMaxDisplayLength characters and kMaxRomajiLength keys each): after the
    // last 、 that leaves the first part fitting, else at the last word
    // boundary that does, never inside a word or a ruby base. Empty when the
    // sentence is left out; `why` then says why. The analyser may be null
    // when !needsAnalyser(index).
    std::vector<TextPhrase> phrasesOf(std::size_t index, ReadingAnalyser *analyser,
                                      LeftOut *why = nullptr) const;

private:
    std::string title_;
    std::vector<MarkedText> sentences_;
};

} // namespace zem
