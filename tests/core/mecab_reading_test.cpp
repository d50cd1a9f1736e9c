#include "texts/mecab_analyser.h"
#include "texts/text_book.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

class Mecab : public testing::Test {
protected:
    void SetUp() override {
        std::string why;
        mecab_ = openMecab(why);
        if (!mecab_)
            GTEST_SKIP() << why;
        EXPECT_EQ(why, "");
    }
    std::unique_ptr<ReadingAnalyser> mecab_;
};

// The IPA dictionary's readings, in hiragana, with the ruby where the text
// gives one; katakana words and ヶ read as the table can type them.
TEST_F(Mecab, ReadsSentencesAsTheyAreSpoken) {
    const TextBook book = TextBook::parse("私は日本語を勉強しています。\n"
                                          "ヴァイオリンを三ヶ月習った。\n"
                                          "今日《こんにち》の「天気」は？\n"
                                          "ABCを買う。\n",
                                          "t");
    ASSERT_EQ(book.sentenceCount(), 4u);
    EXPECT_EQ(book.phrasesOf(0, mecab_.get()),
              (std::vector<TextPhrase>{{"私は日本語を勉強しています。",
                                         "わたしはにほんごをべんきょうしています。",
                                         "WATASIHANIHONNGOWOBENNKYOUSITEIMASU."}}));
    EXPECT_EQ(book.phrasesOf(1, mecab_.get()),
              (std::vector<TextPhrase>{{"ヴァイオリンを三ヶ月習った。",
                                         "ゔぁいおりんをさんかげつならった。",
                                         "VAIORINNWOSANNKAGETUNARATTA."}}));
    EXPECT_EQ(book.phrasesOf(2, mecab_.get()),
              (std::vector<TextPhrase>{
                  {"今日の「天気」は？", "こんにちのてんきは", "KONNNITINOTENNKIHA"}}));
    LeftOut why = LeftOut::No;
    EXPECT_TRUE(book.phrasesOf(3, mecab_.get(), &why).empty());
    EXPECT_EQ(why, LeftOut::NoReading);
}

// MeCab skips spaces; the analyser gives them back, so the words make the text.
TEST_F(Mecab, WordsMakeTheTextSpacesIncluded) {
    const std::string text = "  猫が　いる 。 ";
    std::string surfaces;
    for (const Morpheme &m : mecab_->analyse(text))
        surfaces += m.surface;
    EXPECT_EQ(surfaces, text);
}

} // namespace
} // namespace zem::test
