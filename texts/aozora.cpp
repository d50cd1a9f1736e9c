#include "texts/aozora.h"

#include "kana/kana_text.h"
#include "texts/text_chars.h"

#include <utility>

namespace zem {

namespace {

constexpr std::string_view kNoteOpen = "［＃";
constexpr std::string_view kBracketOpen = "［";
constexpr std::string_view kBracketClose = "］";
constexpr std::string_view kRubyOpen = "《";
constexpr std::string_view kRubyClose = "》";
constexpr std::string_view kBaseMark = "｜";
constexpr std::string_view kSymbolBlock = "【テキスト中に現れる記号について】";
constexpr std::string_view kFooterStart = "底本：";
// The header's block comes early; a text is not searched to its end for it.
constexpr std::size_t kHeaderLines = 200;
// Bytes an annotation or a ruby's reading may take at most: an opening mark
// that finds no close within them is text, so that a line full of unclosed
// marks is still read in one pass.
constexpr std::size_t kLongestNote = 1024;
constexpr std::size_t kLongestRuby = 256;

std::string_view trimmedBlanks(std::string_view text) {
    std::size_t length = 0;
    while (!text.empty() && charKind(codePointAt(text, 0, length)) == CharKind::Blank)
        text.remove_prefix(length);
    while (!text.empty()) {
        std::size_t at = text.size() - 1;
        while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            --at;
        if (charKind(codePointAt(text, at, length)) != CharKind::Blank)
            break;
        text.remove_suffix(text.size() - at);
    }
    return text;
}

// A line of ten or more hyphens, half- or full-width, and nothing else.
bool isDashedLine(std::string_view line) {
    line = trimmedBlanks(line);
    std::size_t dashes = 0;
    while (!line.empty()) {
        if (line.starts_with('-'))
            line.remove_prefix(1);
        else if (line.starts_with("－"))
            line.remove_prefix(std::string_view("－").size());
        else
            return false;
        ++dashes;
    }
    return dashes >= 10;
}

// Where an annotation that opens at `at` ends (just past its ］); npos when
// it is never closed. Brackets inside it are counted, except in the text it
// quotes in 「」, which may hold any bracket.
std::size_t noteEnd(std::string_view line, std::size_t at) {
    int depth = 0;
    int quotes = 0;
    line = line.substr(0, at + kLongestNote);
    while (at < line.size()) {
        const std::string_view rest = line.substr(at);
        std::size_t step = 1;
        if (rest.starts_with("「")) {
            ++quotes;
            step = std::string_view("「").size();
        } else if (rest.starts_with("」")) {
            quotes -= quotes > 0;
            step = std::string_view("」").size();
        } else if (quotes == 0 && rest.starts_with(kBracketOpen)) {
            ++depth;
            step = kBracketOpen.size();
        } else if (quotes == 0 && rest.starts_with(kBracketClose)) {
            if (--depth == 0)
                return at + kBracketClose.size();
            step = kBracketClose.size();
        }
        at += step;
    }
    return std::string_view::npos;
}

// The line without its annotations, control characters as spaces.
std::string withoutNotes(std::string_view line) {
    std::string out;
    out.reserve(line.size());
    for (std::size_t at = 0; at < line.size();) {
        if (line.substr(at).starts_with(kNoteOpen)) {
            const std::size_t end = noteEnd(line, at);
            if (end != std::string_view::npos) {
                at = end;
                continue;
            }
        }
        std::size_t length = 0;
        const char32_t c = codePointAt(line, at, length);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            out += ' ';
        else
            out.append(line.substr(at, length));
        at += length;
    }
    return out;
}

// Where the run of ruby base characters that ends at `end` of `text` starts,
// going back no further than `floor`.
std::size_t kanjiRunStart(std::string_view text, std::size_t end, std::size_t floor) {
    std::size_t begin = end;
    while (begin > floor) {
        std::size_t at = begin - 1;
        while (at > floor && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            --at;
        std::size_t length = 0;
        if (!isRubyBaseChar(codePointAt(text, at, length)) || at + length != begin)
            break;
        begin = at;
    }
    return begin;
}

// The ruby's reading: blanks inside it are the typesetter's, not the reader's.
std::string rubyReading(std::string_view ruby) {
    std::string reading;
    for (std::size_t at = 0; at < ruby.size();) {
        std::size_t length = 0;
        if (charKind(codePointAt(ruby, at, length)) != CharKind::Blank)
            reading.append(ruby.substr(at, length));
        at += length;
    }
    return toHiragana(reading);
}

} // namespace

std::vector<std::string_view> textLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(at));
            break;
        }
        lines.push_back(text.substr(at, end - at));
        at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

AozoraFrame aozoraFrame(const std::vector<std::string_view> &lines) {
    AozoraFrame frame;
    frame.bodyEnd = lines.size();
    for (std::size_t i = 0; i < lines.size() && i < kHeaderLines; ++i) {
        if (!trimmedBlanks(lines[i]).starts_with(kSymbolBlock))
            continue;
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (isDashedLine(lines[j])) {
                frame.bodyBegin = j + 1;
                frame.title = trimmedBlanks(markedLine(lines[0]).text);
                break;
            }
        }
        break;
    }
    for (std::size_t i = frame.bodyBegin; i < lines.size(); ++i) {
        if (lines[i].starts_with(kFooterStart)) {
            frame.bodyEnd = i;
            break;
        }
    }
    return frame;
}

MarkedText markedLine(std::string_view line) {
    const std::string plain = withoutNotes(line);
    const std::string_view text = plain;
    MarkedText marked;
    marked.text.reserve(plain.size());
    std::size_t bar = std::string::npos;
    std::size_t lastRubyEnd = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::string_view rest = text.substr(at);
        if (rest.starts_with(kBaseMark)) {
            bar = marked.text.size();
            at += kBaseMark.size();
            continue;
        }
        const std::size_t close = rest.starts_with(kRubyOpen)
                                      ? text.substr(0, at + kLongestRuby).find(kRubyClose, at)
                                      : std::string_view::npos;
        if (close != std::string_view::npos) {
            const std::size_t end = marked.text.size();
            const std::size_t begin =
                bar != std::string::npos ? bar : kanjiRunStart(marked.text, end, lastRubyEnd);
            std::string reading =
                rubyReading(text.substr(at + kRubyOpen.size(), close - at - kRubyOpen.size()));
            // A ruby with no base or no reading is dropped; its base is read
            // as the rest of the text. Either way no later base reaches back
            // over it.
            if (begin < end && !reading.empty())
                marked.rubies.push_back({begin, end, std::move(reading)});
            lastRubyEnd = end;
            bar = std::string::npos;
            at = close + kRubyClose.size();
            continue;
        }
        std::size_t length = 0;
        codePointAt(text, at, length);
        marked.text.append(text.substr(at, length));
        at += length;
    }
    return marked;
}

} // namespace zem
