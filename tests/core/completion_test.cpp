#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// The phrase is AKUSENN throughout, so 100 strokes end two letters into the
// fifteenth one, leaving USENN.
class Completion : public testing::Test {
protected:
    FormFixture f;
    // START, the clock's tick after `seconds`, then every letter typed.
    void playCourse(int seconds) {
        f.start();
        f.tick(seconds);
        typeToTheEnd();
    }
    void typeToTheEnd() {
        while (f.model().windowHasFocus())
            f.press(f.state().TargetRomaji.front());
    }
    std::string recordLine(int n) {
        std::string lines = *f.file.content;
        for (int i = 0; i < n; ++i)
            lines.erase(0, lines.find("\r\n") + 2);
        return lines.substr(0, lines.find("\r\n"));
    }
};

struct StrayCase {
    int seconds;
    const char *speed;    // as shown and stored
    const char *rerunEnd; // Label1 after the stray character
    int writes;
};

void PrintTo(const StrayCase &c, std::ostream *out) {
    *out << c.seconds << " s, " << c.speed;
}

class StrayAfterCompletion : public Completion, public testing::WithParamInterface<StrayCase> {};

// A character still on its way when START took the focus is a miss while the
// game is halted, and the completion runs again with the same speed. It is a
// record again only where the stored 4-digit text lies below the speed.
TEST_P(StrayAfterCompletion, RerunsTheCompletionWithTheSameSpeed) {
    const StrayCase c = GetParam();
    playCourse(c.seconds);
    ASSERT_EQ(f.text("Label1"), "記録更新だ!!");
    ASSERT_EQ(recordLine(0), c.speed);
    f.stray('u');
    EXPECT_EQ(f.state().MissCount, 1);
    EXPECT_EQ(f.state().StrokeCount, 100);
    EXPECT_EQ(f.state().ElapsedSeconds, c.seconds);
    EXPECT_EQ(f.text("Label5"), std::string(c.speed) + "打/分");
    EXPECT_EQ(f.text("Label12"), std::string(c.speed) + "打/分");
    EXPECT_EQ(f.text("Label1"), c.rerunEnd);
    EXPECT_EQ(f.file.writes, c.writes);
    EXPECT_EQ(recordLine(0), c.speed);
    EXPECT_EQ(f.state().Halted, 1);
    EXPECT_EQ(f.state().NewRecord, 0);
    EXPECT_EQ(f.at("Panel32").rect.top, 24);
}

INSTANTIATE_TEST_SUITE_P(Rounding, StrayAfterCompletion,
                         testing::Values(StrayCase{47, "127.7", "100打だ!!", 1},     // 127.66 up
                                         StrayCase{49, "122.4", "記録更新だ!!", 2}), // 122.45 down
                         [](const auto &info) {
                             return "Rounded" + std::string(info.index ? "Down" : "Up");
                         });

TEST_F(Completion, AfterTheNextTickACorrectStrayStrokeRunsPastTheCourseOverTheResult) {
    playCourse(47);
    f.tick();
    EXPECT_EQ(f.text("Label4"), "0分47秒") << "the clock stopped at the completion";
    f.stray('u');
    EXPECT_EQ(f.state().StrokeCount, 101);
    EXPECT_EQ(f.text("Label1"), "SENN");
    EXPECT_EQ(f.text("Label3"), "101打");
    EXPECT_EQ(f.at("ProgressBar1").position, 100);
    f.stray('x');
    EXPECT_EQ(f.state().MissCount, 1);
    EXPECT_EQ(f.text("Label1"), "SENN") << "past the course nothing completes again";
    EXPECT_EQ(f.text("Label5"), "127.7打/分");
    EXPECT_EQ(f.file.writes, 1);
}

TEST_F(Completion, TwoThousandStrokesInFiveMinutesAreFourHundredPerMinute) {
    f.pickCourse(19);
    playCourse(300);
    EXPECT_EQ(f.state().StrokeCount, 2000);
    EXPECT_EQ(f.text("Label5"), "400打/分");
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
    EXPECT_EQ(f.text("Label12"), "400打/分");
    EXPECT_EQ(recordLine(19), "400");
    EXPECT_EQ(recordLine(0), "0");
    EXPECT_EQ(f.at("ProgressBar1").position, 2000);
    EXPECT_EQ(f.at("ProgressBar1").maximum, 2000);
}

// 47.9 s on the clock but 47 s at the last tick: the speed is 100 / 47 x 60.
TEST_F(Completion, SpeedCountsTheSecondsOfTheLastTickNotOfTheLastStroke) {
    f.start();
    f.tick(47);
    f.clock.advanceSeconds(0.9);
    typeToTheEnd();
    EXPECT_EQ(f.text("Label5"), "127.7打/分");
    EXPECT_EQ(f.text("Label4"), "0分47秒");
}

} // namespace
} // namespace zem::test
