#include "texts/text_chars.h"

#include "model/utf8.h"

namespace zem {

char32_t codePointAt(std::string_view text, std::size_t at, std::size_t &length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = utf8SequenceLength(lead);
    if (length == 0 || at + length > text.size()) {
        length = 1;
        return U'\uFFFD';
    }
    if (length == 1)
        return lead;
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) {
            length = 1;
            return U'\uFFFD';
        }
        code = code << 6 | (next & 0x3F);
    }
    return code;
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char byte : utf8)
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++count;
    return count;
}

namespace {

bool in(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

bool isIdeograph(char32_t c) {
    return in(c, 0x3400, 0x4DBF) || in(c, 0x4E00, 0x9FFF) || in(c, 0xF900, 0xFAFF) ||
           in(c, 0x20000, 0x3FFFF);
}

bool isLatinOrDigit(char32_t c) {
    return in(c, '0', '9') || in(c, 'A', 'Z') || in(c, 'a', 'z') || in(c, 0xFF10, 0xFF19) ||
           in(c, 0xFF21, 0xFF3A) || in(c, 0xFF41, 0xFF5A) || in(c, 0x00C0, 0x024F);
}

// Punctuation and symbols of the blocks a Japanese text uses. Not among them:
// ※ and 〃, which stand for text, and the full-width ／ and ＼ of the
// two-kana repeat mark ／＼, which have a reading the text does not give.
bool isMark(char32_t c) {
    if (c == U'※' || c == U'〃' || c == U'／' || c == U'＼')
        return false;
    return in(c, 0x21, 0x2F) || in(c, 0x3A, 0x40) || in(c, 0x5B, 0x60) || in(c, 0x7B, 0x7E) ||
           in(c, 0xA1, 0xBF) || c == 0xD7 || c == 0xF7 || in(c, 0x2010, 0x205E) ||
           in(c, 0x2190, 0x2BFF) || in(c, 0x3001, 0x3004) || in(c, 0x3008, 0x3020) ||
           c == 0x3030 || c == 0x303D || c == 0x30A0 || c == 0x30FB || in(c, 0xFE30, 0xFE4F) ||
           in(c, 0xFF01, 0xFF0F) || in(c, 0xFF1A, 0xFF20) || in(c, 0xFF3B, 0xFF40) ||
           in(c, 0xFF5B, 0xFF65) || in(c, 0xFFE0, 0xFFEE);
}

} // namespace

CharKind charKind(char32_t c) {
    // ぁ..ゔ and ァ..ヴ: ゕゖ and ヵヶ are left to the analyser, which reads ヶ in
    // 三ヶ月 as か, and ゝゞヽヾ repeat a kana it knows.
    if (in(c, 0x3041, 0x3094) || in(c, 0x30A1, 0x30F4) || c == U'ー')
        return CharKind::Kana;
    if (c == U'、' || c == U'。')
        return CharKind::Stop;
    if (c == ' ' || c == '\t' || c == 0x3000 || c == 0xA0)
        return CharKind::Blank;
    if (c == U'※' || isLatinOrDigit(c))
        return CharKind::Unreadable;
    if (isMark(c))
        return CharKind::Mark;
    return CharKind::Word;
}

bool isRubyBaseChar(char32_t c) {
    return isIdeograph(c) || c == U'々' || c == U'〆' || c == U'〇' || c == U'ヶ' || c == U'※';
}

bool isSentenceEnd(char32_t c) {
    return c == U'。' || c == U'！' || c == U'？';
}

bool isCloser(char32_t c) {
    switch (c) {
    case U'」': case U'』': case U'）': case U'〉': case U'》': case U'】': case U'〕':
    case U'］': case U'｝': case U'〙': case U'〗': case U'”': case U'’': case U'〟':
    case ')': case ']': case '}':
        return true;
    default:
        return false;
    }
}

bool isOpener(char32_t c) {
    switch (c) {
    case U'「': case U'『': case U'（': case U'〈': case U'《': case U'【': case U'〔':
    case U'［': case U'｛': case U'〘': case U'〖': case U'“': case U'‘': case U'〝':
    case '(': case '[': case '{':
        return true;
    default:
        return false;
    }
}

} // namespace zem
