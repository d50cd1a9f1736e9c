#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

void expectStillRunning(FormFixture &f) {
    EXPECT_EQ(f.state().ClockRunning, 1);
    EXPECT_EQ(f.state().Halted, 0);
    EXPECT_FALSE(f.shown("Button1"));
    EXPECT_TRUE(f.model().windowHasFocus());
}

const char *const kNotANumber = "'' は浮動小数点数ではありません";

TEST(RecordCheck, ThirtyLinesSaveTheWordRecordThenFailAtTheMissingProverbLine) {
    FormFixture f(recordFile({}, 30));
    f.pickCourse(10); // 1100 strokes: line 30 is missing
    EXPECT_EQ(f.text("Label13"), "打/分");
    EXPECT_EQ(f.playCourse(600), kNotANumber);
    EXPECT_EQ(f.file.writes, 1);
    EXPECT_EQ(*f.file.content, recordFile({{10, "110"}}, 30));
    EXPECT_EQ(f.text("Label12"), "110打/分");
    EXPECT_EQ(f.text("Label5"), "110打/分");
    EXPECT_EQ(f.state().NewRecord, 1) << "kept from the word line";
    expectStillRunning(f);
}

TEST(RecordCheck, ThirtyLinesKeepProverbRecordsOfTheShortCourses) {
    FormFixture f(recordFile({}, 30));
    f.pickProverbs();
    f.pickCourse(9);
    EXPECT_EQ(f.playCourse(600), std::nullopt);
    EXPECT_EQ(*f.file.content, recordFile({{29, "100"}}, 30));
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
}

TEST(RecordCheck, LinesPastTheFortiethSurviveEverySave) {
    const std::map<int, std::string> tail = {{40, "memo"}, {41, ""}, {42, " x "}, {44, "9"}};
    FormFixture f(recordFile(tail, 45));
    ASSERT_EQ(f.playCourse(47), std::nullopt);
    f.pickProverbs();
    ASSERT_EQ(f.playCourse(50), std::nullopt);
    std::map<int, std::string> expected = tail;
    expected[0] = "127.7";
    expected[20] = "120";
    EXPECT_EQ(*f.file.content, recordFile(expected, 45));
}

TEST(RecordCheck, LfOnlyFileIsReadAndSavedWithCrLf) {
    FormFixture f(recordFile({{0, "200"}, {20, "300"}}, 40, "\n"));
    EXPECT_EQ(f.text("Label12"), "200打/分");
    EXPECT_EQ(f.text("Label13"), "300打/分");
    f.pickCourse(1);
    ASSERT_EQ(f.playCourse(47), std::nullopt);
    EXPECT_EQ(*f.file.content, recordFile({{0, "200"}, {1, "255.3"}, {20, "300"}}));
}

TEST(RecordCheck, SpacedLineIsShownWithItsSpacesAndReadAsItsNumber) {
    FormFixture f(recordFile({{0, " 85 "}}));
    EXPECT_EQ(f.text("Label12"), " 85 打/分");
    ASSERT_EQ(f.playCourse(71), std::nullopt); // 84.5
    EXPECT_EQ(f.file.writes, 0);
    EXPECT_EQ(f.text("Label1"), "100打だ!!");
    ASSERT_EQ(f.playCourse(70), std::nullopt); // 85.71
    EXPECT_EQ(f.text("Label12"), "85.71打/分");
}

TEST(RecordCheck, SpeedAboveTheRoundedBestIsARecordWrittenAsTheSameText) {
    FormFixture f(recordFile({{17, "123.4"}}));
    f.pickCourse(17);
    ASSERT_EQ(f.playCourse(875), std::nullopt); // 1800 strokes: 123.43
    EXPECT_EQ(f.file.writes, 1);
    EXPECT_EQ(*f.file.content, recordFile({{17, "123.4"}}));
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
}

TEST(RecordCheck, EqualSpeedIsNoRecordAndWritesNothing) {
    // 100 / 50 * 60 is exactly 120; 100 / 48 * 60 would come out a hair
    // above 125 and so beat a stored 125.
    FormFixture f(recordFile({{0, "120"}, {20, "120"}}));
    ASSERT_EQ(f.playCourse(50), std::nullopt);
    EXPECT_EQ(f.file.writes, 0);
    EXPECT_EQ(f.text("Label1"), "100打だ!!");
}

TEST(RecordCheck, EachModeWritesOnlyItsOwnLine) {
    FormFixture f(recordFile({{3, "500"}, {23, "10"}}));
    f.pickCourse(3);
    ASSERT_EQ(f.playCourse(120), std::nullopt); // 200, words
    EXPECT_EQ(*f.file.content, recordFile({{3, "500"}, {23, "10"}}));
    EXPECT_EQ(f.text("Label13"), "10打/分");
    f.pickProverbs();
    f.random.next = {7};
    ASSERT_EQ(f.playCourse(40), std::nullopt); // 600, proverbs
    EXPECT_EQ(*f.file.content, recordFile({{3, "500"}, {23, "600"}}));
    EXPECT_EQ(f.text("Label12"), "500打/分");
    EXPECT_EQ(f.text("Label13"), "600打/分");
}

TEST(RecordCheck, WordLineIsReadFirstEvenInProverbMode) {
    FormFixture f(recordFile({{0, "\x82\xa0"}}));
    EXPECT_EQ(f.text("Label12"), "あ打/分");
    f.pickProverbs();
    EXPECT_EQ(f.playCourse(47), "'あ' は浮動小数点数ではありません");
    EXPECT_EQ(f.file.writes, 0);
    EXPECT_EQ(f.state().NewRecord, 0);
    EXPECT_EQ(f.text("Label13"), "0打/分");
    expectStillRunning(f);
}

TEST(RecordCheck, FailedSaveKeepsTheNewBestForTheNextSave) {
    FormFixture f;
    f.file.failWrites = true;
    EXPECT_EQ(f.playCourse(47), "ファイル hiscore.dat を作成できません");
    EXPECT_EQ(*f.file.content, freshRecords());
    EXPECT_EQ(f.text("Label12"), "127.7打/分");
    EXPECT_EQ(f.state().NewRecord, 1);
    expectStillRunning(f);
    f.escape();
    f.file.failWrites = false;
    f.pickProverbs();
    f.tick();
    ASSERT_EQ(f.playCourse(60), std::nullopt);
    EXPECT_EQ(*f.file.content, recordFile({{0, "127.7"}, {20, "100"}}));
}

TEST(RecordCheck, MissingFileAtStartUpFailsEveryCompletedGameAtTheWordLine) {
    FormFixture f(std::nullopt);
    EXPECT_EQ(f.startFailure, "ファイル hiscore.dat は開けません");
    EXPECT_EQ(f.text("Label12"), "0打/分");
    f.pickCourse(0);
    EXPECT_EQ(f.text("Label12"), "打/分");
    EXPECT_EQ(f.text("Label13"), "打/分");
    f.file.content = freshRecords(); // put in place later: a store never loaded takes no line
    EXPECT_EQ(f.playCourse(47), kNotANumber);
    expectStillRunning(f);
    f.escape();
    f.tick();
    f.pickProverbs();
    EXPECT_EQ(f.playCourse(30), kNotANumber);
    EXPECT_EQ(f.file.writes, 0);
}

} // namespace
} // namespace zem::test
