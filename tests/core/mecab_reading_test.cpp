#include "lists/text_encoding.h"
#include "temp_dir.h"
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

// MeCab skips spaces; the analyser gives them back, so the words make the
// text. A text too long for MeCab at once is read in pieces, cut after a 、 or
// else between two characters, never inside one.
TEST_F(Mecab, WordsMakeTheTextSpacesIncludedHoweverLong) {
    std::string withCommas;
    std::string without;
    for (int i = 0; i < 30000; ++i) {
        withCommas += "猫が　いる、";
        without += i % 2 ? "猫" : "ね";
    }
    for (const std::string &text : {std::string("  猫が　いる 。 "), withCommas, without}) {
        std::string surfaces;
        bool whole = true;
        for (const Morpheme &m : mecab_->analyse(text)) {
            surfaces += m.surface;
            whole = whole && isUtf8(m.surface);
        }
        EXPECT_TRUE(surfaces == text) << text.size() << " bytes";
        EXPECT_TRUE(whole) << "a word holds part of a character";
    }
}

// Without the dictionary the player is told which package to install; a
// dictionary MeCab cannot load is named as MeCab's own failure.
TEST_F(Mecab, SaysWhyItCannotBeOpened) {
    const TempDir dir;
    std::string why;
    EXPECT_FALSE(openMecab(why, dir / "missing"));
    EXPECT_EQ(why, "読みがなを付けるには mecab-ipadic-utf8 パッケージが要ります "
                   "(sudo apt install mecab-ipadic-utf8)");
    writeFile(dir / "sys.dic", "not a dictionary");
    EXPECT_FALSE(openMecab(why, dir / "."));
    EXPECT_TRUE(why.starts_with("読みがなを付ける MeCab を始められません: ")) << why;
}

} // namespace
} // namespace zem::test
