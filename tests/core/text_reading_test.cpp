#include "lists/phrase_list.h"
#include "texts/text_book.h"
#include "texts/text_reading.h"

#include <gtest/gtest.h>

#include <utility>

namespace zem {

void PrintTo(const TextPhrase &p, std::ostream *os) {
    *os << p.display << " / " << p.kana << " / " << p.romaji;
}

namespace test {
namespace {

// Cuts text by the longest word of its dictionary; any other character is a
// word of its own without a reading.
class FakeAnalyser final : public ReadingAnalyser {
public:
    explicit FakeAnalyser(std::vector<Morpheme> words) : words_(std::move(words)) {}
    std::vector<Morpheme> analyse(std::string_view text) override {
        ++calls;
        std::vector<Morpheme> out;
        while (!text.empty()) {
            const Morpheme *longest = nullptr;
            for (const Morpheme &word : words_)
                if (text.starts_with(word.surface) &&
                    (!longest || word.surface.size() > longest->surface.size()))
                    longest = &word;
            const std::size_t lead = static_cast<unsigned char>(text[0]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            out.push_back(longest ? *longest : Morpheme{std::string(text.substr(0, length)), {}});
            text.remove_prefix(out.back().surface.size());
        }
        return out;
    }
    int calls = 0;

private:
    std::vector<Morpheme> words_;
};

// 甲 reads as nine keys (KOUKOUKOU) and the suffix 様 as eight, so that a few
// of them fill the bubble.
const std::vector<Morpheme> kWords = {
    {"甲", "こうこうこう"},
    {"乙", "おつ"},
    {"犬", "イヌ"},
    {"は", "は", true},
    {"様", "さまさま", true},
    {"行っ", "いっ"},
    {"た甲甲甲甲", "たこうこうこうこうこうこうこうこうこうこうこうこう"},
    {"ねこ", "ねこ"},
    {"いぬ", "いぬ"},
    {"ヴァイオリン", "ヴァイオリン"},
    {"謎", ""},
    {"々", "々"},
};

std::vector<std::string> displays(const std::vector<TextPhrase> &phrases) {
    std::vector<std::string> out;
    for (const TextPhrase &p : phrases)
        out.push_back(p.display);
    return out;
}

struct CutCase {
    const char *name;
    const char *sentence;
    std::vector<std::string> phrases; // displays; none when left out
    LeftOut why = LeftOut::No;
};

void PrintTo(const CutCase &c, std::ostream *os) {
    *os << c.name;
}

class Cutting : public testing::TestWithParam<CutCase> {};

TEST_P(Cutting, CutsWhereTheRulesAllowOrLeavesTheSentenceOut) {
    const CutCase &c = GetParam();
    const TextBook book = TextBook::parse(c.sentence, "t");
    ASSERT_EQ(book.sentenceCount(), 1u);
    FakeAnalyser analyser(kWords);
    LeftOut why = LeftOut::No;
    const std::vector<TextPhrase> phrases = book.phrasesOf(0, &analyser, &why);
    EXPECT_EQ(displays(phrases), c.phrases);
    EXPECT_EQ(why, c.why);
    // Every phrase fits, and together they show the whole sentence.
    std::string shown;
    for (const TextPhrase &p : phrases) {
        EXPECT_LE(p.romaji.size(), std::size_t(kMaxRomajiLength)) << p.display;
        shown += p.display;
    }
    if (!phrases.empty()) {
        EXPECT_EQ(shown, book.sentence(0).text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Cutting,
    testing::Values(
        CutCase{"FitsWhole", "犬は乙。", {"犬は乙。"}},
        // 24 characters up to the eighth 、: the last one that fits.
        CutCase{"AfterTheLastCommaThatFitsTheCharacters",
                "あさ、あさ、あさ、あさ、あさ、あさ、あさ、あさ、あさ、ねこ。",
                {"あさ、あさ、あさ、あさ、あさ、あさ、あさ、あさ、", "あさ、ねこ。"}},
        CutCase{"AfterTheLastCommaThatFitsTheKeys",
                "甲、甲、甲、甲、甲。",
                {"甲、甲、甲、甲、", "甲。"}},
        // 55 keys make two phrases of about 27, not 36 and 19.
        CutCase{"BetweenWordsIntoEvenPhrases", "乙甲甲甲甲甲甲。", {"乙甲甲甲", "甲甲甲。"}},
        // The even cut would be before 様, at 27 keys of 81.
        CutCase{"NotBeforeASuffixWhereAnotherCutWillDo",
                "甲甲甲様甲甲甲甲甲。",
                {"甲甲甲様", "甲甲甲", "甲甲。"}},
        CutCase{"AtTheEdgesOfARubyBase",
                "あさあさあさあさあさ｜長い長い《ながいながいながいながい》いぬいぬ。",
                {"あさあさあさあさあさ", "長い長いいぬいぬ。"}},
        CutCase{"RubyBaseTooLongAlone",
                "｜長《ながいながいながいながいながいながいながいながいながい》だ。",
                {},
                LeftOut::TooLong},
        // The one cut left would end a phrase on っ, spelt by the next kana.
        CutCase{"NeverOnSmallTsu", "「行った甲甲甲甲。", {}, LeftOut::TooLong},
        CutCase{"MarksAloneAreNothingToType", "「……」", {}, LeftOut::NothingToType},
        CutCase{"LatinLettersHaveNoReading", "ABCは乙。", {}, LeftOut::NoReading},
        CutCase{"FullWidthDigitsHaveNoReading", "犬は１２匹", {}, LeftOut::NoReading},
        CutCase{"GaijiMarkHasNoReading", "※は乙。", {}, LeftOut::NoReading},
        CutCase{"UnknownWordHasNoReading", "謎は乙。", {}, LeftOut::NoReading},
        CutCase{"ReadingTheTableCannotSpell", "々は乙。", {}, LeftOut::Untypable},
        CutCase{"RubyReadingTheTableCannotSpell", "乙《ヵ》は乙。", {}, LeftOut::Untypable}));

// What is shown but not typed stays in the display; 、 。 ー are typed.
TEST(TextReading, PunctuationIsShownButOnlyCommaStopAndLongMarkTyped) {
    const TextBook book = TextBook::parse("「ねこ」と（いぬ）…ヴァイオリン・ー、犬！", "t");
    FakeAnalyser analyser(kWords);
    EXPECT_EQ(
        book.phrasesOf(0, &analyser),
        (std::vector<TextPhrase>{{"「ねこ」と（いぬ）…ヴァイオリン・ー、犬！",
                                  "ねこといぬゔぁいおりんー、いぬ", "NEKOTOINUVAIORINN-,INU"}}));
}

class RefusingAnalyser final : public ReadingAnalyser {
public:
    std::vector<Morpheme> analyse(std::string_view text) override {
        ADD_FAILURE() << "analysed: " << text;
        return {};
    }
};

// Kana, and kanji with ruby, play without the analyser; a long run of kana
// needs it for the words to cut between, and kanji need it for a reading.
TEST(TextReading, AskForTheAnalyserOnlyWhereItIsNeeded) {
    const TextBook book = TextBook::parse(
        "ねこ、ｶﾅ。｜乙《おつ》は乙《おつ》。" // half-width katakana is left to the analyser
        "ねこいぬねこいぬねこいぬねこいぬねこいぬねこいぬ。犬は乙。ABCは犬。",
        "t");
    ASSERT_EQ(book.sentenceCount(), 5u);
    const bool needs[] = {true, false, true, true, false};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(book.needsAnalyser(i), needs[i]) << i;

    RefusingAnalyser refusing;
    LeftOut why = LeftOut::No;
    EXPECT_EQ(displays(book.phrasesOf(1, &refusing, &why)), std::vector<std::string>{"乙は乙。"});
    EXPECT_TRUE(book.phrasesOf(4, &refusing, &why).empty());
    EXPECT_EQ(why, LeftOut::NoReading);
    const std::size_t withoutIt[] = {0, 2, 3};
    for (std::size_t i : withoutIt) {
        EXPECT_TRUE(book.phrasesOf(i, nullptr, &why).empty()) << i;
        EXPECT_EQ(why, LeftOut::NoAnalyser) << i;
    }
    FakeAnalyser analyser(kWords);
    EXPECT_EQ(displays(book.phrasesOf(2, &analyser)),
              (std::vector<std::string>{"ねこいぬねこいぬねこいぬ", "ねこいぬねこいぬねこいぬ。"}));
    EXPECT_EQ(displays(book.phrasesOf(3, &analyser)), std::vector<std::string>{"犬は乙。"});
}

// The analyser's words must make the text; one that drops or changes
// something is not believed.
TEST(TextReading, WordsThatDoNotMakeTheTextLeaveItOut) {
    class Dropping final : public ReadingAnalyser {
        std::vector<Morpheme> analyse(std::string_view) override { return {{"犬", "いぬ"}}; }
    } dropping;
    const TextBook book = TextBook::parse("犬は。", "t");
    LeftOut why = LeftOut::No;
    EXPECT_TRUE(book.phrasesOf(0, &dropping, &why).empty());
    EXPECT_EQ(why, LeftOut::NoReading);
}

// A reading goes from the bookmark to the end, then from the start, and
// counts the sentences it leaves out; the analyser is opened once, when a
// sentence first needs it, and a text that needs one where there is none
// stops with the reason. A bookmark holds only for the same contents.
TEST(TextReading, GoesRoundFromTheBookmarkAndStopsWithoutAnAnalyser) {
    const TextBook book = TextBook::parse("ねこ。\nいぬ。\nABC。\n犬は乙。\n", "t");
    int opened = 0;
    TextReading reading(book, {2, 0}, [&](std::string &) -> std::unique_ptr<ReadingAnalyser> {
        ++opened;
        return std::make_unique<FakeAnalyser>(kWords);
    });
    TextBatch batch = reading.next(1);
    ASSERT_EQ(batch.phrases.size(), 1u);
    EXPECT_EQ(batch.phrases[0].sentence, 3u);
    EXPECT_EQ(batch.leftOut, 1); // ABC
    EXPECT_FALSE(batch.done);
    batch = reading.next(10);
    ASSERT_EQ(batch.phrases.size(), 2u);
    EXPECT_EQ(batch.phrases[1].phrase.display, "いぬ。");
    EXPECT_TRUE(batch.done);
    EXPECT_EQ(opened, 1);

    TextReading without(book, {}, [](std::string &why) -> std::unique_ptr<ReadingAnalyser> {
        why = "辞書がありません";
        return nullptr;
    });
    batch = without.next(10);
    EXPECT_EQ(batch.phrases.size(), 2u); // ねこ。 いぬ。 need none
    EXPECT_EQ(batch.refusal, "辞書がありません");

    // From the second part of a sentence cut in two.
    const TextBook cut = TextBook::parse("ねこいぬねこいぬねこいぬねこいぬねこいぬねこいぬ。", "t");
    TextReading second(cut, {0, 1}, [](std::string &) -> std::unique_ptr<ReadingAnalyser> {
        return std::make_unique<FakeAnalyser>(kWords);
    });
    batch = second.next(10);
    ASSERT_EQ(batch.phrases.size(), 1u);
    EXPECT_EQ(batch.phrases[0].part, 1u);
    EXPECT_EQ(batch.phrases[0].phrase.display, "ねこいぬねこいぬねこいぬ。");

    EXPECT_EQ(textStart(7, {3, 1}, 7, 4), (TextPlace{3, 1}));
    EXPECT_EQ(textStart(7, {3, 1}, 8, 4), TextPlace{}); // the file changed
    EXPECT_EQ(textStart(7, {4, 0}, 7, 4), TextPlace{}); // past its end
}

} // namespace
} // namespace test
} // namespace zem
