#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

std::string times(int n, std::string_view s) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

TEST(ListGame, CompletedListGameLeavesTheRecordFileAloneAndTheTableStillSetsRecords) {
    FormFixture f;
    const PoolPhrases list({{"猫", "ねこ", "NEKO"}});
    f.form->useList(list);
    ASSERT_EQ(f.playCourse(10), std::nullopt); // 600 strokes a minute: a record for the table
    EXPECT_EQ(f.text("Label2"), "猫");
    EXPECT_EQ(f.text("Label1"), "100打だ!!");
    EXPECT_EQ(f.file.writes, 0);
    EXPECT_EQ(f.file.content, freshRecords());

    f.form->useTable();
    ASSERT_EQ(f.playCourse(10), std::nullopt);
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
    EXPECT_EQ(f.file.writes, 1);
}

TEST(ListGame, ModesAreDisabledWhileAListIsActive) {
    FormFixture f;
    const PoolPhrases list({{"猫", "ねこ", "NEKO"}});
    f.form->useList(list);
    f.pickProverbs();
    EXPECT_FALSE(f.form->proverbMode()) << "a disabled button takes no click";
    EXPECT_FALSE(f.model().canFocus(f.form->RadioButton2));
    f.form->useTable();
    f.pickProverbs();
    EXPECT_TRUE(f.form->proverbMode());
}

// The longest texts a list may hold are shown whole, clear of the bubble's
// tail that lies above both lines (from 432 for the romaji, 416 for the
// bubble's text); short ones keep the design's size, and so does the romaji
// line once the game stops.
struct FitCase {
    const char *name;
    PoolPhrase phrase;
    bool smallerRomaji, smallerDisplay;
};

class ListFit : public testing::TestWithParam<FitCase> {};

TEST_P(ListFit, ShowsTheWholePhraseInsideTheFrameAndTheBubble) {
    const FitCase &c = GetParam();
    FormFixture f;
    const PoolPhrases list({c.phrase});
    f.form->useList(list);
    f.start();
    const Control &romaji = f.at("Label1");
    const Control &display = f.at("Label2");
    EXPECT_EQ(romaji.text, c.phrase.romaji);
    EXPECT_EQ(display.text, c.phrase.display);
    EXPECT_LE(romaji.rect.right(), 432);
    EXPECT_LE(display.rect.right(), 416);
    EXPECT_EQ(romaji.fontPx < 39, c.smallerRomaji) << romaji.fontPx;
    EXPECT_EQ(display.fontPx < 16, c.smallerDisplay) << display.fontPx;
    // Centred on the design's line, not hanging from its top.
    EXPECT_NEAR(romaji.rect.top + romaji.rect.height / 2.0, 66 + 39 / 2.0, 1.0);

    f.press(c.phrase.romaji.front());
    EXPECT_EQ(f.at("Label1").fontPx, romaji.fontPx) << "no jump while typing";
    f.escape();
    EXPECT_EQ(f.at("Label1").fontPx, 39);
    EXPECT_EQ(f.at("Label1").rect.top, 66);
    EXPECT_EQ(f.at("Label2").fontPx, 16);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, ListFit,
    testing::Values(FitCase{"Short", {"猫", "ねこ", "NEKO"}, false, false},
                    FitCase{"Longest",
                            {times(24, "漢"), times(8, "あいうえお"), times(8, "AIUEO")},
                            true,
                            true},
                    FitCase{"BeyondTheLimits",
                            {times(30, "漢"), times(10, "かきくけこ"), times(10, "KAKIKUKEKO")},
                            true,
                            true},
                    FitCase{"TwentyLetters",
                            {"二十", "あいうえおかきくけこさしあ", "AIUEOKAKIKUKEKOSASIA"},
                            false,
                            false},
                    FitCase{"TwentyOneLetters",
                            {"二十一", "あいうえおかきくけこさしす", "AIUEOKAKIKUKEKOSASISU"},
                            true,
                            false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zem::test
