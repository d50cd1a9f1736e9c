#include "texts/text_book.h"

#include "kana/kana_text.h"
#include "kana/table_romaji.h"
#include "lists/phrase_list.h"
#include "texts/text_chars.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zem {

namespace {

// A piece of a sentence that is never cut inside: a word, a ruby base, a
// mark, or (read without the analyser) a run of kana.
struct Word {
    std::string display;
    std::string kana; // hiragana, 、 and 。; empty for what is shown, not typed
    bool kanaRun = false;
    bool joinsPrevious = false;
};

std::size_t previousCharStart(std::string_view text, std::size_t at) {
    --at;
    while (at > 0 && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        --at;
    return at;
}

char32_t lastCodePoint(std::string_view text) {
    std::size_t length = 0;
    return text.empty() ? 0 : codePointAt(text, previousCharStart(text, text.size()), length);
}

char32_t firstCodePoint(std::string_view text) {
    std::size_t length = 0;
    return text.empty() ? 0 : codePointAt(text, 0, length);
}

bool onlyKinds(std::string_view text, CharKind a, CharKind b) {
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        const CharKind kind = charKind(codePointAt(text, at, length));
        if (kind != a && kind != b)
            return false;
    }
    return true;
}

bool hasKind(std::string_view text, CharKind wanted) {
    for (std::size_t at = 0, length = 0; at < text.size(); at += length)
        if (charKind(codePointAt(text, at, length)) == wanted)
            return true;
    return false;
}

// Something to type beyond 、 。 ー.
bool hasKana(std::string_view kana) {
    for (std::size_t at = 0, length = 0; at < kana.size(); at += length) {
        const char32_t c = codePointAt(kana, at, length);
        if (c >= 0x3041 && c <= 0x3096)
            return true;
    }
    return false;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && charKind(firstCodePoint(text)) == CharKind::Blank) {
        std::size_t length = 0;
        codePointAt(text, 0, length);
        text.remove_prefix(length);
    }
    while (!text.empty() && charKind(lastCodePoint(text)) == CharKind::Blank)
        text.remove_suffix(text.size() - previousCharStart(text, text.size()));
    return text;
}

// Calls part(text, ruby) for the sentence's stretches in order: plain text
// with a null ruby, then each ruby's base with its ruby.
template <typename Part> void forEachPart(const MarkedText &sentence, Part part) {
    const std::string_view text = sentence.text;
    std::size_t at = 0;
    for (const TextRuby &ruby : sentence.rubies) {
        if (ruby.begin > at)
            part(text.substr(at, ruby.begin - at), static_cast<const TextRuby *>(nullptr));
        part(text.substr(ruby.begin, ruby.end - ruby.begin), &ruby);
        at = ruby.end;
    }
    if (at < text.size())
        part(text.substr(at), static_cast<const TextRuby *>(nullptr));
}

// The characters outside the ruby bases: any without a reading at all, any
// only the analyser reads.
struct PlainScan {
    bool unreadable = false;
    bool needsWords = false;
};

PlainScan scanPlain(const MarkedText &sentence) {
    PlainScan scan;
    forEachPart(sentence, [&](std::string_view text, const TextRuby *ruby) {
        if (ruby)
            return;
        for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
            const CharKind kind = charKind(codePointAt(text, at, length));
            scan.unreadable |= kind == CharKind::Unreadable;
            scan.needsWords |= kind == CharKind::Word;
        }
    });
    return scan;
}

// Plain text of kana, stops, blanks and marks cut without the analyser: runs
// of kana, each stop alone, runs of what is not typed.
void addKanaWords(std::string_view text, std::vector<Word> &words) {
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t length = 0;
        const CharKind kind = charKind(codePointAt(text, at, length));
        std::size_t end = at + length;
        if (kind != CharKind::Stop) {
            const bool typed = kind == CharKind::Kana;
            while (end < text.size()) {
                const CharKind next = charKind(codePointAt(text, end, length));
                if (next == CharKind::Stop || (next == CharKind::Kana) != typed)
                    break;
                end += length;
            }
        }
        const std::string_view piece = text.substr(at, end - at);
        Word word{std::string(piece), {}, kind == CharKind::Kana};
        if (kind == CharKind::Kana || kind == CharKind::Stop)
            word.kana = toHiragana(piece);
        words.push_back(std::move(word));
        at = end;
    }
}

std::vector<Word> wordsWithoutAnalyser(const MarkedText &sentence) {
    std::vector<Word> words;
    forEachPart(sentence, [&](std::string_view text, const TextRuby *ruby) {
        if (ruby)
            words.push_back({std::string(text), ruby->reading});
        else
            addKanaWords(text, words);
    });
    return words;
}

// The analyser's words of plain text; a word with neither a reading nor
// kana to be its own leaves the sentence out.
LeftOut addAnalysedWords(std::string_view text, ReadingAnalyser &analyser,
                         std::vector<Word> &words) {
    std::string surfaces;
    for (const Morpheme &m : analyser.analyse(text)) {
        surfaces += m.surface;
        if (onlyKinds(m.surface, CharKind::Blank, CharKind::Mark))
            words.push_back({m.surface, {}});
        else if (hasKind(m.surface, CharKind::Unreadable))
            return LeftOut::NoReading;
        else if (onlyKinds(m.surface, CharKind::Kana, CharKind::Stop))
            words.push_back({m.surface, toHiragana(m.surface)});
        else if (m.reading.empty())
            return LeftOut::NoReading;
        else
            words.push_back({m.surface, toHiragana(m.reading)});
        words.back().joinsPrevious = m.joinsPrevious;
    }
    // Words that do not make the text would show the player something else.
    return surfaces == text ? LeftOut::No : LeftOut::NoReading;
}

LeftOut wordsWithAnalyser(const MarkedText &sentence, ReadingAnalyser &analyser,
                          std::vector<Word> &words) {
    LeftOut why = LeftOut::No;
    forEachPart(sentence, [&](std::string_view text, const TextRuby *ruby) {
        if (why != LeftOut::No)
            return;
        if (ruby)
            words.push_back({std::string(text), ruby->reading});
        else
            why = addAnalysedWords(text, analyser, words);
    });
    return why;
}

std::string joinedDisplay(const std::vector<Word> &words, std::size_t begin, std::size_t end) {
    std::string display;
    for (std::size_t i = begin; i < end; ++i)
        display += words[i].display;
    return std::string(trimmed(display));
}

std::string joinedKana(const std::vector<Word> &words, std::size_t begin, std::size_t end) {
    std::string kana;
    for (std::size_t i = begin; i < end; ++i)
        kana += words[i].kana;
    return kana;
}

// The phrase of words [begin, end), when it fits the bubble.
bool fittingPhrase(const std::vector<Word> &words, std::size_t begin, std::size_t end,
                   TextPhrase &phrase) {
    phrase.display = joinedDisplay(words, begin, end);
    if (characterCount(phrase.display) > std::size_t(kMaxDisplayLength))
        return false;
    phrase.kana = joinedKana(words, begin, end);
    return tableRomaji(phrase.kana, phrase.romaji) &&
           phrase.romaji.size() <= std::size_t(kMaxRomajiLength);
}

// Whether a phrase may end before words[at]: not on っ (whose spelling is
// the next kana's first letter), not on an opening bracket, and not before
// what closes or ends what went before it.
bool mayCutBefore(const std::vector<Word> &words, std::size_t at) {
    if (words[at - 1].kana.ends_with("っ") || isOpener(lastCodePoint(words[at - 1].display)))
        return false;
    const char32_t next = firstCodePoint(words[at].display);
    return !isCloser(next) && !isSentenceEnd(next) && charKind(next) != CharKind::Stop &&
           next != U'…' && next != U'‥' && next != U'ー';
}

// Whether the typed part of words [begin, end) ends with 、.
bool endsWithComma(const std::vector<Word> &words, std::size_t begin, std::size_t end) {
    for (std::size_t i = end; i > begin; --i)
        if (!words[i - 1].kana.empty())
            return words[i - 1].kana.ends_with("、");
    return false;
}

// How much of the bubble a phrase fills: 1 is full, in characters or keys.
double fullness(const TextPhrase &phrase) {
    return std::max(double(characterCount(phrase.display)) / kMaxDisplayLength,
                    double(phrase.romaji.size()) / kMaxRomajiLength);
}

// How many bubbles the clause that starts at words[begin] would fill: up to
// just after its 、, or to the end. Zero for a clause longer than four
// bubbles' worth of characters, whose phrases may as well be full.
double clauseFullness(const std::vector<Word> &words, std::size_t begin) {
    std::size_t end = begin;
    std::size_t characters = 0;
    while (end < words.size()) {
        characters += characterCount(words[end].display);
        if (characters > 4 * std::size_t(kMaxDisplayLength))
            return 0;
        if (words[end++].kana.ends_with("、"))
            break;
    }
    TextPhrase clause{joinedDisplay(words, begin, end), joinedKana(words, begin, end), {}};
    tableRomaji(clause.kana, clause.romaji);
    return fullness(clause);
}

LeftOut cutToFit(const std::vector<Word> &words, std::vector<TextPhrase> &phrases) {
    // typedFrom[i]: whether words [i, end) hold kana to type.
    std::vector<bool> typedFrom(words.size() + 1, false);
    for (std::size_t i = words.size(); i > 0; --i)
        typedFrom[i - 1] = typedFrom[i] || hasKana(words[i - 1].kana);
    std::size_t begin = 0;
    while (begin < words.size()) {
        TextPhrase phrase;
        // Every place the first phrase may end, with how full it would be;
        // the rest of the sentence whole when it fits.
        struct Cut {
            std::size_t at;
            double fullness;
            bool loose; // not before a word that leans on the one before it
        };
        std::vector<Cut> cuts;
        bool anyLoose = false;
        std::size_t lastCommaCut = 0;
        bool typed = false;
        for (std::size_t cut = begin + 1; cut <= words.size(); ++cut) {
            typed = typed || hasKana(words[cut - 1].kana);
            if (characterCount(joinedDisplay(words, begin, cut)) > std::size_t(kMaxDisplayLength))
                break;
            if (cut == words.size()) {
                if (!fittingPhrase(words, begin, cut, phrase))
                    break;
                phrases.push_back(std::move(phrase));
                return LeftOut::No;
            }
            if (!typed || !typedFrom[cut] || !mayCutBefore(words, cut) ||
                !fittingPhrase(words, begin, cut, phrase))
                continue;
            cuts.push_back({cut, fullness(phrase), !words[cut].joinsPrevious});
            anyLoose = anyLoose || cuts.back().loose;
            if (endsWithComma(words, begin, cut))
                lastCommaCut = cut;
        }
        if (cuts.empty())
            return LeftOut::TooLong;
        std::size_t cut = lastCommaCut;
        if (cut == 0) {
            // A clause too long for one phrase is cut into phrases of about
            // the same length, not into full ones and a scrap of a word or
            // two; before a particle only where nothing else will do.
            const double whole = clauseFullness(words, begin);
            const double target = whole > 0 ? whole / std::max(1.0, std::ceil(whole)) : 1.0;
            double best = 0;
            for (const Cut &c : cuts) {
                if ((c.loose || !anyLoose) && (cut == 0 || std::abs(c.fullness - target) <= best)) {
                    cut = c.at;
                    best = std::abs(c.fullness - target);
                }
            }
        }
        fittingPhrase(words, begin, cut, phrase);
        phrases.push_back(std::move(phrase));
        begin = cut;
    }
    return LeftOut::No;
}

// Checks the readings of a sentence's words and cuts it.
LeftOut phrasesOfWords(const std::vector<Word> &words, std::vector<TextPhrase> &phrases) {
    std::string kana;
    for (const Word &word : words) {
        // A reading of something else than kana (々 for 々, ゖ for ヶ) has no spelling.
        if (!onlyKinds(word.kana, CharKind::Kana, CharKind::Stop))
            return LeftOut::Untypable;
        kana += word.kana;
    }
    if (!hasKana(kana))
        return LeftOut::NothingToType;
    std::string romaji;
    if (!tableRomaji(kana, romaji))
        return LeftOut::Untypable;
    const LeftOut why = cutToFit(words, phrases);
    if (why != LeftOut::No)
        phrases.clear();
    return why;
}

bool hasKanaRun(const std::vector<Word> &words) {
    for (const Word &word : words)
        if (word.kanaRun)
            return true;
    return false;
}

// The sentence [begin, end) of a line, without the blanks at its ends, with
// the rubies [firstRuby, lastRuby) of the line, which lie inside it; nothing
// when it is blank.
void addSentence(const MarkedText &line, std::size_t begin, std::size_t end,
                 std::size_t firstRuby, std::size_t lastRuby, std::vector<MarkedText> &sentences) {
    const std::string_view text = line.text;
    const std::size_t headRuby = firstRuby < lastRuby ? line.rubies[firstRuby].begin : end;
    const std::size_t tailRuby = firstRuby < lastRuby ? line.rubies[lastRuby - 1].end : begin;
    std::size_t length = 0;
    while (begin < headRuby && charKind(codePointAt(text, begin, length)) == CharKind::Blank)
        begin += length;
    while (end > tailRuby && end > begin &&
           charKind(codePointAt(text, previousCharStart(text, end), length)) == CharKind::Blank)
        end = previousCharStart(text, end);
    if (begin == end)
        return;
    MarkedText sentence{std::string(text.substr(begin, end - begin)), {}};
    for (std::size_t i = firstRuby; i < lastRuby; ++i) {
        const TextRuby &ruby = line.rubies[i];
        sentence.rubies.push_back({ruby.begin - begin, ruby.end - begin, ruby.reading});
    }
    sentences.push_back(std::move(sentence));
}

// A line cut after each 。！？ (with the closing brackets and further ends
// that follow it), never inside a ruby base.
void addSentences(const MarkedText &line, std::vector<MarkedText> &sentences) {
    const std::string_view text = line.text;
    std::size_t start = 0;
    std::size_t firstRuby = 0;
    std::size_t ruby = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (ruby < line.rubies.size() && at == line.rubies[ruby].begin) {
            at = line.rubies[ruby++].end;
            continue;
        }
        std::size_t length = 0;
        if (!isSentenceEnd(codePointAt(text, at, length))) {
            at += length;
            continue;
        }
        std::size_t end = at + length;
        while (end < text.size() && (ruby >= line.rubies.size() || end != line.rubies[ruby].begin)) {
            const char32_t next = codePointAt(text, end, length);
            if (!isSentenceEnd(next) && !isCloser(next))
                break;
            end += length;
        }
        addSentence(line, start, end, firstRuby, ruby, sentences);
        start = at = end;
        firstRuby = ruby;
    }
    addSentence(line, start, text.size(), firstRuby, line.rubies.size(), sentences);
}

} // namespace

TextBook TextBook::parse(std::string_view utf8Text, std::string fallbackTitle) {
    TextBook book;
    const std::vector<std::string_view> lines = textLines(utf8Text);
    AozoraFrame frame = aozoraFrame(lines);
    book.title_ = frame.title.empty() ? std::move(fallbackTitle) : std::move(frame.title);
    for (std::size_t i = frame.bodyBegin; i < frame.bodyEnd; ++i)
        addSentences(markedLine(lines[i]), book.sentences_);
    return book;
}

bool TextBook::needsAnalyser(std::size_t index) const {
    const MarkedText &sentence = sentences_[index];
    const PlainScan scan = scanPlain(sentence);
    if (scan.unreadable || scan.needsWords)
        return !scan.unreadable;
    // Kana alone is read without it, unless a run of it must be cut into words.
    const std::vector<Word> words = wordsWithoutAnalyser(sentence);
    std::vector<TextPhrase> phrases;
    return hasKanaRun(words) && phrasesOfWords(words, phrases) == LeftOut::TooLong;
}

std::vector<TextPhrase> TextBook::phrasesOf(std::size_t index, ReadingAnalyser *analyser,
                                            LeftOut *why) const {
    const MarkedText &sentence = sentences_[index];
    std::vector<TextPhrase> phrases;
    LeftOut leftOut = LeftOut::No;
    const PlainScan scan = scanPlain(sentence);
    if (scan.unreadable) {
        leftOut = LeftOut::NoReading;
    } else if (!needsAnalyser(index)) {
        leftOut = phrasesOfWords(wordsWithoutAnalyser(sentence), phrases);
    } else if (!analyser) {
        leftOut = LeftOut::NoAnalyser;
    } else {
        std::vector<Word> words;
        leftOut = wordsWithAnalyser(sentence, *analyser, words);
        if (leftOut == LeftOut::No)
            leftOut = phrasesOfWords(words, phrases);
    }
    if (why)
        *why = leftOut;
    return phrases;
}

} // namespace zem
