#pragma once

#include <cstddef>
#include <string_view>

namespace zem {

// The code point of the UTF-8 character at `at`, and its length in bytes. A
// stray byte reads as U+FFFD, one byte long, so that any text can be walked.
char32_t codePointAt(std::string_view text, std::size_t at, std::size_t &length);

// Characters (code points) in UTF-8 text, as the bubble counts them.
std::size_t characterCount(std::string_view utf8);

// What a character is to the reading of a sentence.
enum class CharKind {
    Kana,       // hiragana, katakana, ー: its own reading
    Stop,       // 、 and 。: typed with the comma and full-stop keys
    Blank,      // a space, half- or full-width: shown, not typed
    Mark,       // other punctuation and symbols: shown, not typed
    Unreadable, // Latin letters, digits, ※ (a character we cannot show): no reading at all
    Word,       // kanji and whatever else: read by the analyser
};
CharKind charKind(char32_t c);

// A character of the run of kanji that a ruby without ｜ reads: CJK
// ideographs, 々 〆 〇 ヶ, and ※, which stands for a kanji we cannot show.
bool isRubyBaseChar(char32_t c);

// 。！？ end a sentence; closing brackets and further ends that follow stay with it.
bool isSentenceEnd(char32_t c);
bool isCloser(char32_t c);
// Opening brackets: a phrase never ends on one.
bool isOpener(char32_t c);

} // namespace zem
