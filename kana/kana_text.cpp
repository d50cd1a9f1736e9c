#include "kana/kana_text.h"

#include "kana/romaji_table.h"
#include "model/utf8.h"

namespace zem {

namespace {

// Katakana and hiragana lie 0x60 apart, character for character, from ァ/ぁ
// to ヶ/ゖ and for the iteration marks ヽヾ/ゝゞ. Those are all three-byte
// characters of one lead byte pair, so the shift is done on the code point.
char32_t hiraganaOf(char32_t c) {
    const bool shifted = (c >= U'\u30A1' && c <= U'\u30F6') || c == U'\u30FD' || c == U'\u30FE';
    return shifted ? c - 0x60 : c;
}

char32_t decode3(std::string_view s) {
    return char32_t(s[0] & 0x0F) << 12 | char32_t(s[1] & 0x3F) << 6 | char32_t(s[2] & 0x3F);
}

void append3(std::string &out, char32_t c) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
}

} // namespace

std::string toHiragana(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length = utf8CharLength(utf8, at);
        const std::string_view ch = utf8.substr(at, length);
        if (length == 3)
            append3(out, hiraganaOf(decode3(ch)));
        else
            out += ch;
        at += length;
    }
    return out;
}

std::vector<std::string> kanaUnits(std::string_view hiragana) {
    std::vector<std::string> units;
    for (std::size_t at = 0; at < hiragana.size();) {
        std::size_t length = utf8CharLength(hiragana, at);
        if (at + length < hiragana.size()) {
            // Two characters make one unit exactly when the table spells them
            // as one sound: the second is then always a small kana.
            const std::size_t pair = length + utf8CharLength(hiragana, at + length);
            if (findSpellings(hiragana.substr(at, pair)))
                length = pair;
        }
        units.emplace_back(hiragana.substr(at, length));
        at += length;
    }
    return units;
}

} // namespace zem
