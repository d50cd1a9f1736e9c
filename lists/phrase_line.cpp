#include "lists/phrase_line.h"

#include "kana/kana_text.h"
#include "kana/table_romaji.h"

#include <utility>

namespace zem {

namespace {

constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";

std::string_view trimmed(std::string_view text) {
    for (;;) {
        if (text.starts_with(' ') || text.starts_with('\t'))
            text.remove_prefix(1);
        else if (text.starts_with(kIdeographicSpace))
            text.remove_prefix(kIdeographicSpace.size());
        else if (text.ends_with(' ') || text.ends_with('\t'))
            text.remove_suffix(1);
        else if (text.ends_with(kIdeographicSpace))
            text.remove_suffix(kIdeographicSpace.size());
        else
            return text;
    }
}

int characterCount(std::string_view utf8) {
    int count = 0;
    for (char byte : utf8)
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++count;
    return count;
}

// C0 and C1 controls and DEL; the tab is no control here, it parts the
// display from the reading.
bool hasControl(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
            return true;
        if (byte == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0)
            return true;
    }
    return false;
}

char32_t firstCodePoint(std::string_view utf8) {
    if (utf8.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(utf8[0]);
    if (lead < 0x80)
        return lead;
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    char32_t code = lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && k < utf8.size(); ++k)
        code = (code << 6) | (static_cast<unsigned char>(utf8[k]) & 0x3F);
    return code;
}

std::string utf8Of(char32_t code) {
    std::string out;
    if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
    } else {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
    }
    out += char(0x80 | (code & 0x3F));
    return out;
}

bool isKana(char32_t code) {
    return code >= 0x3041 && code <= 0x30FF;
}

// The untypable kana as the file writes it: a reading read as hiragana names
// a katakana "ヴ" as "ゔ", which the player would look for in vain.
std::string asWritten(const std::string &kana, std::string_view reading) {
    const char32_t code = firstCodePoint(kana);
    if (code >= 0x3041 && code <= 0x309F && reading.find(kana) == std::string_view::npos) {
        const std::string katakana = utf8Of(code + 0x60);
        if (reading.find(katakana) != std::string_view::npos)
            return katakana;
    }
    return kana;
}

// Why a reading that the table cannot spell is refused. A line without a tab
// that is not all kana most likely lacks its tab, so it is told that.
std::string whyUntypable(const std::string &untypable, std::string_view reading, bool ownReading) {
    const char32_t code = firstCodePoint(untypable);
    if (code == ' ' || code == 0x3000)
        return "読みに空白があります";
    if (isKana(code))
        return "「" + asWritten(untypable, reading) + "」は打てません";
    if (ownReading)
        return "読みがありません (表示と読みの間にタブを入れます)";
    return "読みの「" + untypable + "」はひらがなでもカタカナでもありません";
}

PhraseLine refused(std::string why) {
    PhraseLine line;
    line.kind = PhraseLine::Kind::Refused;
    line.why = std::move(why);
    return line;
}

PhraseLine phrase(std::string_view display, std::string_view reading, bool ownReading) {
    if (display.empty())
        return refused("表示がありません");
    if (reading.empty())
        return refused("読みがありません");
    if (characterCount(display) > kMaxDisplayLength)
        return refused("表示が長すぎます (最大 " + std::to_string(kMaxDisplayLength) + " 字)");
    PhraseLine line;
    line.kind = PhraseLine::Kind::Phrase;
    line.phrase.display = display;
    line.phrase.kana = toHiragana(reading);
    std::string untypable;
    if (!tableRomaji(line.phrase.kana, line.phrase.romaji, &untypable))
        return refused(whyUntypable(untypable, reading, ownReading));
    if (line.phrase.romaji.size() > std::size_t(kMaxRomajiLength))
        return refused("ローマ字が長すぎます (最大 " + std::to_string(kMaxRomajiLength) + " 字)");
    return line;
}

} // namespace

PhraseLine readPhraseLine(std::string_view line) {
    if (line.starts_with('#') || trimmed(line).empty())
        return {};
    if (hasControl(line))
        return refused("制御文字があります");
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos)
        return phrase(trimmed(line), trimmed(line), true);
    const std::string_view reading = line.substr(tab + 1);
    if (trimmed(reading).find('\t') != std::string_view::npos)
        return refused("タブが 2 つ以上あります");
    return phrase(trimmed(line.substr(0, tab)), trimmed(reading), false);
}

} // namespace zem
