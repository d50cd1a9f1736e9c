#include "fakes.h"

#include "app/command_line.h"
#include "app/lesson_progress.h"
#include "game/lesson_steps.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// The pass mark at and around its edges: accuracy first, then speed, each
// shown rounded down so a line never shows the mark for a game that missed it.
struct MarkCase {
    const char *name;
    int step, strokes, misses;
    double speed;
    const char *line;
};

class LessonMark : public testing::TestWithParam<MarkCase> {};

TEST_P(LessonMark, PassesAtBothMarksAndSaysWhatIsMissing) {
    const MarkCase &c = GetParam();
    const LessonResult result = judgeLesson(*lessonStep(c.step), c.strokes, c.misses, c.speed);
    EXPECT_EQ(result.line, c.line);
    EXPECT_EQ(result.passed, std::string(c.line) == "合格");
}

INSTANTIATE_TEST_SUITE_P(
    Marks, LessonMark,
    testing::Values(
        MarkCase{"BothMarksExactly", 1, 95, 5, 60.0, "合格"},
        MarkCase{"OneMissTooMany", 1, 94, 5, 200.0, "正確さ 94% — 95%で合格"},
        MarkCase{"JustUnder95ShowsAs94", 1, 1899, 100, 200.0, "正確さ 94% — 95%で合格"},
        MarkCase{"SlowByATenth", 1, 100, 0, 59.9, "速さ 59打/分 — 60打/分で合格"},
        MarkCase{"BothMissedNamesAccuracy", 14, 90, 10, 100.0, "正確さ 90% — 95%で合格"},
        MarkCase{"LastStepsTarget", 14, 100, 0, 149.9, "速さ 149打/分 — 150打/分で合格"}),
    [](const auto &info) { return std::string(info.param.name); });

// A step is passed by one game that met both marks, not by the best
// accuracy of one game and the best speed of another; the next step is the
// first not passed, and games of no step count for none.
TEST(LessonProgress, NeedsBothMarksInOneGame) {
    const std::vector<LessonGame> games{
        {1, 100, 0, 59.0},
        {1, 90, 10, 200.0}, // step 1: accurate but slow, fast but sloppy
        {2, 97, 3, 80.0},   // step 2: passed
        {99, 100, 0, 500.0}};
    const std::vector<StepProgress> progress = lessonProgress(games);
    ASSERT_EQ(progress.size(), lessonSteps().size());
    EXPECT_FALSE(progress[0].passed);
    EXPECT_EQ(progress[0].games, 2);
    EXPECT_EQ(progress[0].bestAccuracy, 100);
    EXPECT_DOUBLE_EQ(progress[0].bestSpeed, 200.0);
    EXPECT_TRUE(progress[1].passed);
    EXPECT_EQ(progress[2].games, 0);
    EXPECT_EQ(nextLesson(progress), 1);
    EXPECT_EQ(nextLesson(lessonProgress(std::vector<LessonGame>{{1, 100, 0, 60.0}})), 2);
}

// A step game: its title names the step, its result line the pass mark,
// hiscore.dat is untouched, and the history keeps it under the step.
TEST(LessonGame, IsTitledJudgedAndKeptUnderItsStep) {
    FormFixture f;
    f.form->startLesson(3, {{"柿", "かき", "KAKI"}});
    ASSERT_TRUE(f.form->inGame());
    EXPECT_EQ(f.model().caption(), "タイピングZemVer3.0 — ステップ3 か行");
    f.tick(10.5);
    f.press('x');
    while (f.form->inGame())
        f.press(f.state().TargetRomaji.front());

    EXPECT_EQ(f.text("Label1"), "合格"); // 100 strokes, 1 miss, 600 a minute
    EXPECT_EQ(f.model().caption(), "タイピングZemVer3.0");
    EXPECT_EQ(f.file.writes, 0);
    ASSERT_EQ(f.history.games.size(), 1u);
    EXPECT_EQ(f.history.games[0].list, "lesson/3");
    EXPECT_EQ(lessonOfList(f.history.games[0].list), 3);
    EXPECT_FALSE(f.history.games[0].newRecord);

    // A long line shrinks to stay clear of the mascot; the next game is
    // the table's, at the design's size, and sets records again.
    f.form->startLesson(3, {{"柿", "かき", "KAKI"}});
    f.tick(10.5);
    for (int i = 0; i < 10; ++i)
        f.press('x');
    while (f.form->inGame())
        f.press(f.state().TargetRomaji.front());
    EXPECT_EQ(f.text("Label1"), "正確さ 90% — 95%で合格");
    EXPECT_LE(f.at("Label1").rect.right(), f.at("Panel32").rect.left);
    ASSERT_EQ(f.playCourse(10), std::nullopt);
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
    EXPECT_EQ(f.at("Label1").fontPx, 39);
}

TEST(LessonGame, CommandLineTakesAStepNumberOnly) {
    EXPECT_EQ(parseCommandLine({"--lesson", "3"}).lesson, 3);
    EXPECT_EQ(parseCommandLine({"--lesson=14"}).lesson, 14);
    for (const char *bad : {"--lesson=0", "--lesson=x", "--lesson=-1", "--lesson=100"})
        EXPECT_FALSE(parseCommandLine({bad}).error.empty()) << bad;
    EXPECT_FALSE(parseCommandLine({"--lesson"}).error.empty());
}

} // namespace
} // namespace zem::test
