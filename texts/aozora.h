#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zem {

// A ruby: the reading (hiragana, as the text gives it) of its base, the bytes
// [begin, end) of the text it belongs to.
struct TextRuby {
    std::size_t begin;
    std::size_t end;
    std::string reading;
    bool operator==(const TextRuby &) const = default;
};

// Text as shown, without notation, and the readings its rubies give.
struct MarkedText {
    std::string text;
    std::vector<TextRuby> rubies; // in order, none overlapping
};

// The lines of a text, without their ends: CR LF, LF or a lone CR each end one.
std::vector<std::string_view> textLines(std::string_view text);

// Where the typed part of an Aozora Bunko file lies among its lines. The
// header (the title line, the author and so on, up to the dashed line that
// closes the 【テキスト中に現れる記号について】 block) comes before it; the
// footer, from the first line that starts with 底本：, after it. A text
// without such a header starts at its first line, and its title is empty.
struct AozoraFrame {
    std::size_t bodyBegin = 0;
    std::size_t bodyEnd = 0;
    std::string title; // the header's first line
};
AozoraFrame aozoraFrame(const std::vector<std::string_view> &lines);

// One line with its notation resolved: annotations ［＃…］ are dropped (a
// gaiji's ※ stays, as a character without a reading), ruby 《…》 is taken
// out of the text into the rubies, with ｜ marking where its base starts or,
// without one, the run of kanji before 《 as its base. Control characters
// become spaces.
MarkedText markedLine(std::string_view line);

} // namespace zem
