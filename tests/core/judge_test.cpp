#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

class Judge : public testing::Test {
protected:
    FormFixture f;

    // The on-screen keys show exactly these yellow and red keys, the rest cream.
    void expectKeys(std::vector<int> yellow, std::vector<int> red) {
        EXPECT_EQ(f.keysIn(clYellow), yellow);
        EXPECT_EQ(f.keysIn(clRed), red);
        EXPECT_EQ(f.keysIn(clCream).size(), 30 - yellow.size() - red.size());
    }
    void pressShift() {
        std::uint16_t shift = 16;
        f.form->FormKeyDown(shift, 0);
    }
};

char lower(char c) {
    return char(c - 'A' + 'a');
}

// UMA, KAPPA, KYUUGYUU, TUME, then KINEZUKA ten times: 100 letters. The
// phrases are typed in lower case, upper case and alternating case; before
// every seventh stroke the player hits x instead.
TEST_F(Judge, WholeCourseInEitherCaseWithMissesCountsShowsAndColoursEveryEvent) {
    const std::vector<std::pair<std::string, std::string>> words = {
        {"UMA", "馬"}, {"KAPPA", "河童"}, {"KYUUGYUU", "九牛"}, {"TUME", "爪"}};
    f.random.next = {3, 9, 10, 22, 41};
    f.start();
    f.tick(30);
    int strokes = 0, misses = 0;
    for (int p = 0; p < 14; ++p) {
        const auto &[word, display] =
            p < 4 ? words[std::size_t(p)] : std::pair<std::string, std::string>{"KINEZUKA", "杵柄"};
        SCOPED_TRACE(word);
        ASSERT_EQ(f.text("Label1"), word);
        EXPECT_EQ(f.text("Label2"), display);
        expectKeys({keyPanelOf(word[0])}, {});
        for (std::size_t i = 0; i < word.size(); ++i) {
            if (strokes % 7 == 3) {
                f.hold('x');
                ++misses;
                EXPECT_EQ(f.state().MissCount, misses);
                EXPECT_EQ(f.text("Label7"), std::to_string(misses - 1) + "打") << "shown at key-up";
                expectKeys({}, {keyPanelOf('X')});
                f.release('X');
                EXPECT_EQ(f.text("Label7"), std::to_string(misses) + "打");
                expectKeys({keyPanelOf(word[i])}, {keyPanelOf('X')});
            }
            const bool lowerCase = p % 3 == 0 || (p % 3 == 2 && i % 2 == 0);
            f.hold(lowerCase ? lower(word[i]) : word[i]);
            ++strokes;
            EXPECT_EQ(f.state().StrokeCount, strokes);
            EXPECT_EQ(f.text("Label3"), std::to_string(strokes) + "打");
            EXPECT_EQ(f.at("ProgressBar1").position, strokes);
            EXPECT_EQ(f.at("ProgressBar1").maximum, 100);
            if (strokes == 100)
                break;
            EXPECT_EQ(f.text("Label1"), word.substr(i + 1));
            expectKeys({}, {});
            f.release(word[i]);
            if (i + 1 < word.size())
                expectKeys({keyPanelOf(word[i + 1])}, {});
        }
    }
    EXPECT_EQ(strokes, 100);
    EXPECT_EQ(f.random.draws, 14) << "START and one refill per finished phrase";
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
    EXPECT_EQ(f.text("Label5"), "200打/分");
    EXPECT_EQ(f.text("Label7"), std::to_string(misses) + "打");
    expectKeys({}, {});
    f.release('A'); // goes to START, which has the focus now
    EXPECT_EQ(f.random.draws, 14);
    expectKeys({}, {});
}

TEST_F(Judge, ShiftReleasedAfterTheLastLetterDrawsTheNextPhraseAtItsKeyUp) {
    f.random.next = {3, 9};
    f.start();
    f.press('u');
    f.press('m');
    pressShift();
    f.hold('A');
    f.release(16);
    EXPECT_EQ(f.text("Label1"), "KAPPA");
    EXPECT_EQ(f.text("Label2"), "河童");
    expectKeys({keyPanelOf('K')}, {});
    f.release('A');
    EXPECT_EQ(f.text("Label1"), "KAPPA");
    EXPECT_EQ(f.random.draws, 2);
}

// The next key pressed before the last letter's key is released meets an
// empty target; the new phrase starting with that very letter shows it yellow.
TEST_F(Judge, CharacterBeforeTheLastLettersKeyUpIsAMissNotCarriedOver) {
    f.random.next = {3, 9};
    f.start();
    f.press('u');
    f.press('m');
    f.hold('a');
    EXPECT_EQ(f.text("Label1"), "");
    f.hold('k');
    EXPECT_EQ(f.state().MissCount, 1);
    EXPECT_EQ(f.state().StrokeCount, 3);
    expectKeys({}, {keyPanelOf('K')});
    f.release('A');
    EXPECT_EQ(f.text("Label1"), "KAPPA");
    EXPECT_EQ(f.text("Label7"), "1打");
    expectKeys({keyPanelOf('K')}, {});
}

TEST_F(Judge, KeyUpWithTheTargetUsedUpWhileHaltedDrawsNothingAndMarksNoKey) {
    f.random.next = {3};
    f.start();
    f.press('u');
    f.press('m');
    f.hold('a');
    f.state().Halted = 1; // as a stop or a completion leaves it
    f.state().MissCount = 4;
    f.release('A');
    EXPECT_EQ(f.random.draws, 1);
    EXPECT_EQ(f.text("Label1"), "");
    EXPECT_EQ(f.text("Label7"), "4打");
    expectKeys({}, {});
}

TEST_F(Judge, StartDrawsANewPhraseEvenWithLettersLeftFromAStoppedGame) {
    f.random.next = {3, 9};
    f.start();
    f.press('u');
    f.escape();
    f.tick();
    f.start();
    EXPECT_EQ(f.state().TargetRomaji, "KAPPA");
    EXPECT_EQ(f.text("Label1"), "KAPPA");
    EXPECT_EQ(f.text("Label2"), "河童");
    expectKeys({keyPanelOf('K')}, {});
}

TEST_F(Judge, HeldKeyScoresWhileItsLetterIsNextThenMisses) {
    f.random.next = {9}; // KAPPA
    f.start();
    f.press('k');
    f.press('a');
    for (int repeat = 0; repeat < 4; ++repeat)
        f.hold('p');
    EXPECT_EQ(f.state().StrokeCount, 4);
    EXPECT_EQ(f.state().MissCount, 2);
    EXPECT_EQ(f.text("Label1"), "A");
    EXPECT_EQ(f.text("Label7"), "0打");
    expectKeys({}, {keyPanelOf('P')});
    f.release('P');
    EXPECT_EQ(f.text("Label7"), "2打");
    expectKeys({keyPanelOf('A')}, {keyPanelOf('P')});
}

TEST_F(Judge, WhileHaltedEvenTheNextLetterIsAMissUntilTheNextTick) {
    f.random.next = {3};
    f.start();
    f.press('u');
    f.state().Halted = 1; // as a stop or a completion leaves it
    f.hold('m');
    EXPECT_EQ(f.state().StrokeCount, 1);
    EXPECT_EQ(f.state().MissCount, 1);
    expectKeys({}, {keyPanelOf('M')});
    f.release('M');
    // The next-key mark comes after the miss mark.
    expectKeys({keyPanelOf('M')}, {});
    f.tick();
    f.press('m');
    EXPECT_EQ(f.state().StrokeCount, 2);
    EXPECT_EQ(f.text("Label1"), "A");
}

TEST_F(Judge, EscapeMidGameCountsItsCharacterAsAMissThatShowsNowhere) {
    f.random.next = {3};
    f.start();
    f.press('x');
    expectKeys({keyPanelOf('U')}, {keyPanelOf('X')});
    f.escape();
    EXPECT_EQ(f.state().MissCount, 1);
    EXPECT_EQ(f.text("Label7"), "0打");
    expectKeys({}, {});
}

// Only letters and the four unshifted punctuation keys have a key to mark.
TEST_F(Judge, AMissMarksOnlyTheKeyOfTheTypedCharacter) {
    struct Case {
        char typed;
        int panel;
    };
    const Case cases[] = {
        {' ', 0},    {'\r', 0}, {'\b', 0}, {'1', 0},  {'0', 0},  {char(0x82), 0},
        {'\xFF', 0}, {':', 0},  {'+', 0},  {'<', 0},  {'>', 0},  {'?', 0},
        {';', 20},   {',', 28}, {'.', 29}, {'/', 30}, {'k', 18}, {'K', 18},
        {'q', 1},    {'P', 10}, {'a', 11}, {'l', 19}, {'z', 21}, {'M', 27},
    };
    f.random.next = {3}; // UMA: none of the cases is its next letter
    f.start();
    int misses = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(int(static_cast<unsigned char>(c.typed)));
        f.hold(c.typed);
        EXPECT_EQ(f.state().MissCount, ++misses);
        expectKeys({}, c.panel ? std::vector<int>{c.panel} : std::vector<int>{});
        f.release();
        expectKeys({keyPanelOf('U')}, c.panel ? std::vector<int>{c.panel} : std::vector<int>{});
    }
    EXPECT_EQ(f.text("Label1"), "UMA");
    f.hold('x');
    f.hold('z');
    expectKeys({}, {keyPanelOf('Z')}); // one red key at a time
}

} // namespace
} // namespace zem::test
