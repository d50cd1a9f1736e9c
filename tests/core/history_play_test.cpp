#include "fakes.h"

#include <gtest/gtest.h>

#include <map>

namespace zem::test {
namespace {

// The phrase is AKUSENN throughout (the fixed generator draws row 0).
class GameKept : public testing::Test {
protected:
    FormFixture f;
};

TEST_F(GameKept, ACompletedGameKeepsTheFiguresShownAndWhatWasMissed) {
    f.start();
    f.press('a');
    f.press('x'); // K expected
    f.press('k');
    f.press('s'); // U expected: a miss in "ku"
    f.tick(59.5);
    while (f.model().windowHasFocus())
        f.press(f.state().TargetRomaji.front());
    ASSERT_EQ(f.history.games.size(), 1u);
    const GameRecord &g = f.history.games[0];
    EXPECT_TRUE(g.completed);
    EXPECT_TRUE(g.newRecord);
    EXPECT_EQ(g.mode, GameMode::Word);
    EXPECT_EQ(g.course, 100);
    EXPECT_EQ(g.strokes, 100);
    EXPECT_EQ(g.misses, 2);
    EXPECT_EQ(g.seconds, 59);
    EXPECT_EQ(g.speed, "101.7"); // 100 strokes in 59 s, as hiscore.dat now holds it
    EXPECT_EQ(f.file.content->substr(0, 5), "101.7");
    EXPECT_EQ(g.finishedAt.utcOffsetSeconds, 9 * 3600);
    ASSERT_EQ(g.confusions.size(), 2u);
    EXPECT_EQ(g.confusions[0].expected, 'K');
    EXPECT_EQ(g.confusions[0].typed, 'X');
    EXPECT_EQ(g.confusions[1].expected, 'U');
    EXPECT_EQ(g.confusions[1].typed, 'S');
    // Both misses fell in く, counted by its kana; あ, く, せ, ん each had hits.
    std::map<std::string, std::pair<int, int>> byKana;
    for (const KanaTally &k : g.kana)
        byKana[k.kana] = {k.hits, k.misses};
    // KU in 14 whole draws of AKUSENN and the K of the 15th, the 99th stroke.
    EXPECT_EQ(byKana["く"], std::make_pair(2 * 14 + 1, 2));
    EXPECT_EQ(byKana["ん"].second, 0);
    EXPECT_EQ(byKana.size(), 4u);
    int hits = 0, misses = 0;
    for (const KeyTally &k : g.keys) {
        hits += k.hits;
        misses += k.misses;
    }
    EXPECT_EQ(hits, 100);
    EXPECT_EQ(misses, 2);
}

TEST_F(GameKept, EscapeKeepsTheStoppedGameOnlyWhenSomethingWasTyped) {
    f.start();
    f.escape();
    EXPECT_TRUE(f.history.games.empty());

    f.tick(); // the halt after a stop ends with the tick
    f.start();
    f.tick(3.5);
    f.press('a');
    f.press('q');
    f.escape();
    ASSERT_EQ(f.history.games.size(), 1u);
    const GameRecord &g = f.history.games[0];
    EXPECT_FALSE(g.completed);
    EXPECT_FALSE(g.newRecord);
    EXPECT_EQ(g.strokes, 1);
    EXPECT_EQ(g.misses, 1);
    EXPECT_EQ(g.seconds, 3);
    EXPECT_EQ(g.speed, "");
}

// A record that cannot be saved leaves the game running on screen, but the
// history has it once, as it ended: what is typed after the error box, and
// the Escape that stops it, make no second game. The next START counts anew.
TEST_F(GameKept, AFailedRecordSaveKeepsItsGameOnceAndTheNextStartCountsAgain) {
    f.file.failWrites = true;
    ASSERT_TRUE(f.playCourse(47).has_value());
    ASSERT_TRUE(f.form->inGame());
    f.press(f.state().TargetRomaji.front());
    f.press('q');
    f.escape();
    ASSERT_EQ(f.history.games.size(), 1u);
    EXPECT_TRUE(f.history.games[0].completed);
    EXPECT_EQ(f.history.games[0].strokes, 100);

    f.tick();
    f.start();
    f.press('q');
    f.escape();
    ASSERT_EQ(f.history.games.size(), 2u);
    EXPECT_EQ(f.history.games[1].strokes, 0);
    EXPECT_EQ(f.history.games[1].misses, 1);
}

// With every spelling taken ふじ is shown HUZI until the player's own
// spelling is known; the keys typed count, and a miss counts on the letter shown.
TEST_F(GameKept, AnySpellingCountsTheKeysTypedNotTheLettersShown) {
    const PoolPhrases list({{"富士", "ふじ", "HUZI"}});
    f.form->useList(list);
    f.form->settings().spelling = SpellingRule::Any;
    f.start();
    ASSERT_EQ(f.state().TargetRomaji, "HUZI");
    for (char c : std::string("FxUJI"))
        f.press(c);
    f.escape();
    ASSERT_EQ(f.history.games.size(), 1u);
    std::map<char, std::pair<int, int>> byKey;
    for (const KeyTally &k : f.history.games[0].keys)
        byKey[k.key] = {k.hits, k.misses};
    const std::map<char, std::pair<int, int>> typed = {
        {'F', {1, 0}}, {'U', {1, 1}}, {'J', {1, 0}}, {'I', {1, 0}}};
    EXPECT_EQ(byKey, typed);
    ASSERT_EQ(f.history.games[0].confusions.size(), 1u);
    EXPECT_EQ(f.history.games[0].confusions[0].expected, 'U');
    EXPECT_EQ(f.history.games[0].confusions[0].typed, 'X');
}

// The apostrophe of T'I is a key of its own, and no letter: the game takes
// it as any key and learns the spelling.
TEST_F(GameKept, AnApostropheReachesTheJudge) {
    const PoolPhrases list({{"ティー", "てぃー", "THI-"}});
    f.form->useList(list);
    f.form->settings().spelling = SpellingRule::Any;
    f.start();
    for (char c : std::string("T'I-"))
        f.press(c);
    f.escape();
    ASSERT_EQ(f.history.games.size(), 1u);
    EXPECT_EQ(f.history.games[0].strokes, 4);
    EXPECT_EQ(f.history.games[0].misses, 0);
    EXPECT_EQ(f.form->settings().lastSpellings["てぃ"], "T'I");
}

// Keys that reach the window outside a game are no game's.
TEST_F(GameKept, NothingIsKeptForKeysOutsideAGame) {
    f.playCourse(60);
    ASSERT_EQ(f.history.games.size(), 1u);
    f.stray('u'); // runs the completion check again
    f.escape();
    EXPECT_EQ(f.history.games.size(), 1u);
}

} // namespace
} // namespace zem::test
