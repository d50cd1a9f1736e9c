#include "game/phrase_table.h"
#include "kana/entry_readings.h"
#include "kana/kana_text.h"
#include "kana/table_romaji.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// Each hiragana run of a display form ("に", "かず" of 悪銭身につかず).
std::vector<std::string> hiraganaRuns(std::string_view display) {
    std::vector<std::string> runs;
    std::string run;
    for (std::size_t at = 0; at + 3 <= display.size(); at += 3) {
        const std::string_view ch = display.substr(at, 3);
        if (ch >= "ぁ" && ch <= "ゖ")
            run += ch;
        else if (!run.empty())
            runs.push_back(std::exchange(run, {}));
    }
    if (!run.empty())
        runs.push_back(run);
    return runs;
}

TEST(EntryReadings, EveryBuiltInEntryReadsAsKanaThatSpellItsRomajiAndHoldItsHiragana) {
    for (const Phrase &row : PhraseTable) {
        for (const auto &[romaji, display] : {std::pair{row.proverbRomaji, row.proverbDisplay},
                                              std::pair{row.wordRomaji, row.wordDisplay}}) {
            SCOPED_TRACE(romaji);
            const std::string kana = entryKana(romaji);
            ASSERT_FALSE(kana.empty());
            std::string back;
            ASSERT_TRUE(tableRomaji(kana, back));
            EXPECT_EQ(back, romaji);
            for (const std::string &run : hiraganaRuns(display))
                EXPECT_NE(kana.find(run), std::string::npos) << run << " of " << display;
        }
    }
}

// Readings checked by hand where the same letters spell two kana (ZU, ZI).
TEST(EntryReadings, AmbiguousLettersReadAsTheTrueKana) {
    const std::pair<const char *, const char *> cases[] = {
        {"KINEZUKA", "きねづか"},                        // 柄 is つか voiced
        {"MUKASITOTTAKINEZUKA", "むかしとったきねづか"}, // and in the proverb too
        {"SUZUME", "すずめ"},
        {"HETANOYOKOZUKI", "へたのよこずき"},
        {"ZIGOUZITOKU", "じごうじとく"},
    };
    for (const auto &[romaji, kana] : cases)
        EXPECT_EQ(entryKana(romaji), kana) << romaji;
}

TEST(TableRomaji, KanaOutsideTheBuiltInTableTakeTheirOneSpelling) {
    const std::pair<const char *, const char *> cases[] = {
        {"ファイト", "FAITO"},
        {"ティーカップ", "THI-KAPPU"},
        {"ディスク", "DHISUKU"},
        {"ヴァイオリン", "VAIORINN"},
        {"ヴ", "VU"},
        {"ウェブ", "WEBU"},
        {"ぁぃぅぇぉ", "XAXIXUXEXO"},
        {"ゃゅょゎ", "XYAXYUXYOXWA"},
        {"ゐゑを", "WYIWYEWO"},
        {"くぅすぃぐぃふぅくゃ", "KUXUSUXIGUXIHUXUKUXYA"}, // rare sounds, typed apart
        {"ぢゃ", "ZYA"},
        {"はい、そう。", "HAI,SOU."},
        {"あっ", "AXTU"},        // っ at the end
        {"っあ", "XTUA"},        // before a vowel
        {"かっん", "KAXTUNN"},   // before ん
        {"えっー", "EXTU-"},     // before ー
        {"きっね", "KIXTUNE"},   // N doubled would read as ん
        {"まっちゃ", "MATTYA"},  // doubles the contracted sound
        {"あっっか", "AXTUKKA"}, // only the last of two doubles
        {"ヵヶ", "XKAXKE"},
    };
    for (const auto &[text, romaji] : cases) {
        std::string out, untypable = "unset";
        EXPECT_TRUE(tableRomaji(toHiragana(text), out, &untypable)) << text;
        EXPECT_EQ(out, romaji) << text;
        EXPECT_EQ(untypable, "unset") << text;
    }
}

TEST(TableRomaji, TheFirstCharacterWithoutASpellingIsNamed) {
    const std::pair<const char *, const char *> cases[] = {
        {"ねこ猫", "猫"}, {"あa", "a"},   {"は い", " "},
        {"ゟ", "ゟ"},     {"っ字", "字"}, {"かA字", "A"},
    };
    for (const auto &[text, first] : cases) {
        std::string out, untypable;
        EXPECT_FALSE(tableRomaji(text, out, &untypable)) << text;
        EXPECT_EQ(untypable, first) << text;
    }
    std::string out;
    EXPECT_FALSE(tableRomaji("漢", out)) << "without a place for the character";
}

TEST(KanaText, KatakanaBecomesHiraganaAndTextCutsIntoTypedUnits) {
    EXPECT_EQ(toHiragana("カタカナ・ヴヵヶヽヾ"), "かたかな・ゔゕゖゝゞ");
    EXPECT_EQ(toHiragana("ー、。漢字abcひら"), "ー、。漢字abcひら");
    const std::pair<const char *, std::vector<std::string>> cases[] = {
        {"きゃっぷ", {"きゃ", "っ", "ぷ"}},
        {"ふぁん", {"ふぁ", "ん"}},
        {"てぃー、", {"てぃ", "ー", "、"}},
        {"うえ", {"う", "え"}}, // a full-size vowel makes no sound with the kana before
        {"ゃきょう", {"ゃ", "きょ", "う"}},
        {"ねこ猫", {"ね", "こ", "猫"}},
    };
    for (const auto &[text, units] : cases)
        EXPECT_EQ(kanaUnits(text), units) << text;
}

} // namespace
} // namespace zem::test
