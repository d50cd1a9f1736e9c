#include "fakes.h"
#include "game/clock_text.h"
#include "game/phrase_table.h"
#include "model/failure.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

class Lifecycle : public testing::Test {
protected:
    FormFixture f;
    ControlId id(const char *name) { return f.model().id(name); }
    const Control &at(const char *name) { return f.model().at(id(name)); }
};

TEST_F(Lifecycle, StartShowsTheGameScreenAndLeavesTheFocusWithTheWindow) {
    f.random.next = {3}; // UMA
    f.press('Q');        // before START the key goes to START, not to the game
    EXPECT_EQ(f.state().MissCount, 0);
    f.start();
    EXPECT_TRUE(f.model().windowHasFocus());
    for (const char *name : {"Shape1", "Shape2", "Shape3", "Shape4", "Label2", "Panel32"})
        EXPECT_TRUE(f.shown(name)) << name;
    for (const char *name :
         {"Label9", "ComboBox1", "Button1", "groupbox1", "RadioButton1", "RadioButton2"})
        EXPECT_FALSE(f.shown(name)) << name;
    EXPECT_EQ(f.state().ClockRunning, 1);
    EXPECT_EQ(f.state().TargetRomaji, "UMA");
    EXPECT_EQ(f.text("Label1"), "UMA");
    EXPECT_EQ(f.text("Label2"), "馬");
    EXPECT_EQ(at("Label1").rect.left, 75);
    EXPECT_EQ(at("Panel32").rect.top, 128);
    EXPECT_EQ(f.color("Panel7"), clYellow) << "U is the first letter";
    EXPECT_EQ(f.state().StartTime, f.clock.localTimeOfDay());
}

TEST_F(Lifecycle, ProverbGameMovesTheTitleLineLeftUntilItEnds) {
    f.pickProverbs();
    f.random.next = {33};
    f.start();
    EXPECT_EQ(f.state().TargetRomaji, "NODOMOTOSUGIREBAATUSAWOWASURERU");
    EXPECT_EQ(at("Label1").rect.left, 24);
    f.escape();
    EXPECT_EQ(at("Label1").rect.left, 75);
}

TEST_F(Lifecycle, ClockCountsMinutesAndSecondsOncePerTick) {
    f.start();
    f.tick(0.4);
    EXPECT_EQ(f.text("Label4"), "0分0秒");
    f.tick(1.0);
    EXPECT_EQ(f.text("Label4"), "0分1秒");
    f.tick(57.6);
    EXPECT_EQ(f.text("Label4"), "0分59秒");
    f.tick(1.0);
    EXPECT_EQ(f.text("Label4"), "1分0秒");
    EXPECT_EQ(f.state().ClockSeconds, 0);
    EXPECT_EQ(clockText(3725), "62分5秒");
}

// The wall clock at START and how it is set after the third tick of a game.
struct WallClockCase {
    const char *name;
    std::int64_t startMs;
    double stepSeconds;
};

void PrintTo(const WallClockCase &c, std::ostream *out) {
    *out << c.name;
}

class WallClockMidGame : public testing::TestWithParam<WallClockCase> {};

// Only the monotonic clock counts: every tick shows the seconds played, and
// 100 strokes at the 47th tick are 127.7 a minute whatever the wall clock did.
TEST_P(WallClockMidGame, LeavesTheClockLabelAndTheSpeedAlone) {
    FormFixture f;
    f.clock.localMs = GetParam().startMs;
    f.start();
    f.tick(0.5);
    for (int second = 1; second <= 47; ++second) {
        f.tick();
        ASSERT_EQ(f.state().ElapsedSeconds, second);
        ASSERT_EQ(f.text("Label4"), clockText(std::uint16_t(second)));
        if (second == 3)
            f.clock.stepWallClockSeconds(GetParam().stepSeconds);
    }
    while (f.model().windowHasFocus())
        f.press(f.state().TargetRomaji.front());
    EXPECT_EQ(f.text("Label5"), "127.7打/分");
}

INSTANTIATE_TEST_SUITE_P(Steps, WallClockMidGame,
                         testing::Values(WallClockCase{"SetBackFiveSeconds", 43'200'000, -5},
                                         WallClockCase{"SetForwardFiveSeconds", 43'200'000, 5},
                                         WallClockCase{"SummerTimeBegins", 7'200'000, 3600},
                                         WallClockCase{"SummerTimeEnds", 10'800'000, -3600},
                                         WallClockCase{"MidnightPasses", 86'400'000 - 10'000, 0},
                                         WallClockCase{"SetBackAcrossMidnight", 1'000, -5}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Lifecycle, AGameOf65536SecondsOrMoreWrapsTheClockTo16Bits) {
    f.start();
    f.tick(70000.5);
    EXPECT_EQ(f.state().ElapsedSeconds, 70000 - 65536);
    EXPECT_EQ(f.text("Label4"), "74分24秒");
}

TEST_F(Lifecycle, TickStopsCountingWhenNoGameRunsButAlwaysClearsTheHalt) {
    f.start();
    f.tick(5);
    f.escape();
    EXPECT_EQ(f.state().Halted, 1);
    f.tick(10);
    EXPECT_EQ(f.state().Halted, 0);
    EXPECT_EQ(f.state().ElapsedSeconds, 5);
    EXPECT_EQ(f.text("Label4"), "0分0秒");
}

TEST_F(Lifecycle, EscapeStopsTheGameAndCountsItsOwnCharacterAsAHiddenMiss) {
    f.start();
    f.press('Z');
    f.press(f.state().TargetRomaji.front());
    f.escape();
    EXPECT_EQ(f.model().focus(), id("Button1"));
    EXPECT_EQ(f.state().ClockRunning, 0);
    EXPECT_EQ(f.state().StrokeCount, 0);
    EXPECT_EQ(f.state().MissCount, 1) << "Escape's character arrives after the stop";
    EXPECT_EQ(f.text("Label7"), "0打");
    EXPECT_EQ(f.text("Label3"), "0打");
    EXPECT_EQ(f.text("Label1"), "タイピングZem");
    EXPECT_EQ(at("ProgressBar1").position, 0);
    for (const char *name :
         {"Label9", "ComboBox1", "Button1", "groupbox1", "RadioButton1", "RadioButton2"})
        EXPECT_TRUE(f.shown(name)) << name;
    for (const char *name : {"Shape1", "Label2", "Panel32"})
        EXPECT_FALSE(f.shown(name)) << name;
    for (int i = 1; i <= 30; ++i)
        EXPECT_EQ(f.model().color(id(("Panel" + std::to_string(i)).c_str())), clCream);
    // A second Escape goes to START: nothing more happens.
    f.escape();
    EXPECT_EQ(f.state().MissCount, 1);
}

TEST_F(Lifecycle, EscapeWhileHaltedDoesNothing) {
    f.start();
    f.state().Halted = 1;
    std::uint16_t key = kVkEscape;
    f.form->FormKeyDown(key, 0);
    EXPECT_EQ(f.state().ClockRunning, 1);
}

TEST_F(Lifecycle, CourseSelectionSetsTheLengthAndItsLabel) {
    f.pickCourse(14);
    EXPECT_EQ(f.state().CourseLength, 1500);
    EXPECT_EQ(f.text("Label8"), "1500打コース");
    f.pickCourse(-1);
    EXPECT_EQ(f.state().CourseLength, 1500) << "an index outside the list keeps the course";
}

TEST_F(Lifecycle, ModeButtonsEnlargeTheChosenModesCaptionAndRecord) {
    f.pickProverbs();
    EXPECT_EQ(at("Label10").fontPx, 12);
    EXPECT_EQ(at("Label12").fontPx, 12);
    EXPECT_EQ(at("Label11").fontPx, 16);
    EXPECT_EQ(at("Label13").fontPx, 16);
    if (f.model().clickRadio(id("RadioButton2")))
        f.form->RadioButton2Click();
    EXPECT_EQ(at("Label10").fontPx, 16);
    EXPECT_EQ(at("Label11").fontPx, 12);
}

TEST_F(Lifecycle, CompletionShowsSpeedAndResultAndGivesStartTheFocus) {
    f.playCourse(47);
    EXPECT_EQ(f.state().StrokeCount, 100);
    EXPECT_EQ(f.text("Label5"), "127.7打/分");
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!") << "any speed beats a stored 0";
    EXPECT_EQ(f.model().focus(), id("Button1"));
    EXPECT_EQ(f.state().Halted, 1);
    EXPECT_EQ(f.state().ClockRunning, 0);
    EXPECT_EQ(f.state().NewRecord, 0);
    EXPECT_EQ(at("Panel32").rect.top, 24);
    EXPECT_TRUE(f.shown("Panel32"));
    EXPECT_FALSE(f.shown("Label9"));
    EXPECT_FALSE(f.shown("Shape1"));
    EXPECT_EQ(at("ProgressBar1").position, 100);
    EXPECT_EQ(at("ProgressBar1").maximum, 100);
}

TEST_F(Lifecycle, CompletionWithoutARecordShowsTheCourse) {
    f.playCourse(47); // 127.7 stored
    f.pickCourse(0);
    f.playCourse(48); // 125: slower
    EXPECT_EQ(f.text("Label1"), "100打だ!!");
    EXPECT_EQ(f.text("Label5"), "125打/分");
}

TEST_F(Lifecycle, CourseTypedWithinTheFirstSecondFailsAndTheGameRunsOn) {
    f.start();
    try {
        while (f.state().StrokeCount < 100)
            f.press(f.state().TargetRomaji.front());
        FAIL() << "expected a division by zero";
    } catch (const Failure &e) {
        EXPECT_STREQ(e.what(), "0 による浮動小数点数除算");
    }
    EXPECT_EQ(f.state().ClockRunning, 1);
    EXPECT_EQ(f.state().Halted, 0);
    EXPECT_TRUE(f.model().windowHasFocus());
    EXPECT_EQ(f.text("Label5"), "0打/分");
    EXPECT_EQ(at("ProgressBar1").maximum, 100);
}

TEST_F(Lifecycle, ProgressBarMaximumFollowsTheCourseFromTheFirstKeyPress) {
    f.pickCourse(1);
    f.start();
    EXPECT_EQ(at("ProgressBar1").maximum, 100);
    f.press('#');
    EXPECT_EQ(at("ProgressBar1").maximum, 200);
}

} // namespace
} // namespace zem::test
