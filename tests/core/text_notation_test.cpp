#include "texts/text_book.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// A sentence with its rubies written back as ｜base《reading》, so that where
// a base starts is seen at a glance.
std::string written(const MarkedText &sentence) {
    std::string out;
    std::size_t at = 0;
    for (const TextRuby &ruby : sentence.rubies) {
        out += sentence.text.substr(at, ruby.begin - at) + "｜" +
               sentence.text.substr(ruby.begin, ruby.end - ruby.begin) + "《" + ruby.reading + "》";
        at = ruby.end;
    }
    return out + sentence.text.substr(at);
}

struct NotationCase {
    const char *name;
    std::string text;
    std::vector<std::string> sentences;
    std::string title = "ファイル名";
};

void PrintTo(const NotationCase &c, std::ostream *os) {
    *os << c.name;
}

class Notation : public testing::TestWithParam<NotationCase> {};

TEST_P(Notation, GivesTheSentencesToTypeWithTheirRubies) {
    const NotationCase &c = GetParam();
    const TextBook book = TextBook::parse(c.text, "ファイル名");
    std::vector<std::string> sentences;
    for (std::size_t i = 0; i < book.sentenceCount(); ++i)
        sentences.push_back(written(book.sentence(i)));
    EXPECT_EQ(sentences, c.sentences);
    EXPECT_EQ(book.title(), c.title);
}

const std::string kHeader = "指の話\n"
                            "見本 太郎\n"
                            "\n"
                            "-------------------------------------------------------\n"
                            "【テキスト中に現れる記号について】\n"
                            "\n"
                            "《》：ルビ\n"
                            "（例）鍵盤《けんばん》\n"
                            "-------------------------------------------------------\n";

INSTANTIATE_TEST_SUITE_P(
    Aozora, Notation,
    testing::Values(
        NotationCase{"PlainTextCutAtEndsAndLineEnds",
                     "今日は晴れ。明日も晴れ！\r\n\r\n　雨かな？ そうかも\r三行目\n",
                     {"今日は晴れ。", "明日も晴れ！", "雨かな？", "そうかも", "三行目"}},
        NotationCase{"ClosersAndFurtherEndsStayWithTheEnd",
                     "「行くよ。」と言った。本当？！　ええ",
                     {"「行くよ。」", "と言った。", "本当？！", "ええ"}},
        NotationCase{"IndentsBlankLinesAndBlankPiecesDropped",
                     "　　字下げ\n \t　\n。\n　　。　　",
                     {"字下げ", "。", "。"}},
        NotationCase{"RubyAfterBarReadsFromTheBar",
                     "一番｜獣《けもの》らしい",
                     {"一番｜獣《けもの》らしい"}},
        NotationCase{"BarTakesKanaIntoTheBase",
                     "その｜手応え《てごたえ》が",
                     {"その｜手応え《てごたえ》が"}},
        NotationCase{"RubyWithoutBarReadsTheKanjiRun",
                     "ひらがなの漢字《かんじ》です",
                     {"ひらがなの｜漢字《かんじ》です"}},
        NotationCase{"KanjiRunTakesIterationAndCounterMarks",
                     "人々《ひとびと》の三ヶ月《さんかげつ》",
                     {"｜人々《ひとびと》の｜三ヶ月《さんかげつ》"}},
        NotationCase{"KanjiRunStopsAtTheRubyBefore",
                     "東京《とうきょう》大阪《おおさか》",
                     {"｜東京《とうきょう》｜大阪《おおさか》"}},
        NotationCase{"KatakanaRubyReadAsHiragana", "鍵《キー》", {"｜鍵《きー》"}},
        NotationCase{"RubyWithoutABaseOrAReadingDropped",
                     "ねこ《ネコ》だ。猫《》だ。｜《よみ》",
                     {"ねこだ。", "猫だ。"}},
        NotationCase{"UnclosedRubyIsText", "漢字《かんじ", {"漢字《かんじ"}},
        NotationCase{"SentencesCutBetweenRubies",
                     "雨《あめ》。晴《はれ》",
                     {"｜雨《あめ》。", "｜晴《はれ》"}},
        NotationCase{"AnnotationsDropped",
                     "見ないで［＃「見ないで」に傍点］打つ\n［＃改ページ］\nあ［＃「［」は括弧］い",
                     {"見ないで打つ", "あい"}},
        NotationCase{"GaijiLeavesItsMarkWhichARubyMayRead",
                     "※［＃「てへん＋劣」、第4水準2-13-28］る。"
                     "※［＃「言＋墟のつくり」、第4水準2-88-74］《きょ》",
                     {"※る。", "｜※《きょ》"}},
        NotationCase{
            "ControlCharactersAreSpaces", "北海道\tほっかいどう\x01", {"北海道 ほっかいどう"}},
        NotationCase{"HeaderAndFooterLeftOutTitleFromTheHeader",
                     kHeader + "\n　本文《ほんぶん》です。\n\n\n底本：「指の話」\n入力：見本\n",
                     {"｜本文《ほんぶん》です。"},
                     "指の話"},
        NotationCase{
            "FooterWithoutHeader", "本文です。\n底本：「指の話」\n入力：見本", {"本文です。"}},
        NotationCase{"HeaderBlockNeverClosedIsText",
                     "題\n-----------\n【テキスト中に現れる記号について】\n本文",
                     {"題", "-----------", "【テキスト中に現れる記号について】", "本文"}}));

} // namespace
} // namespace zem::test
