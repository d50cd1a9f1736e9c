#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// The weak spots of a source as the history would read them: し weak.
WeakSpots weakShi() {
    WeakSpots spots;
    spots.status = WeakSpots::Status::Found;
    spots.strokes = 400;
    spots.kana = {SpotRate{.kana = "し", .hits = 20, .misses = 6}};
    return spots;
}

// Everything the game tells its followers, in order.
struct EventLog final : FormEvents {
    std::vector<std::string> events;
    void gameEnded(const HistorySource &source, bool completed) override {
        events.push_back(std::string(completed ? "completed " : "stopped ") + source.key());
    }
    void sourceChanged(const HistorySource &source) override {
        events.push_back("source " + source.key());
    }
    void settingsChanged(const PlayerSettings &settings) override {
        const auto shi = settings.lastSpellings.find("し");
        events.push_back("settings" +
                         (shi == settings.lastSpellings.end() ? "" : " し=" + shi->second));
    }
};

// A practice game at record speed, from the table's pool or from a list:
// hiscore.dat is never touched, the result line says no record was kept,
// the history gets it as practice under the list's name, and the START
// after it plays the normal source again, records and all.
struct PracticeCase {
    const char *name;
    std::string list; // empty: the table's pool
};

class PracticeGame : public testing::TestWithParam<PracticeCase> {};

TEST_P(PracticeGame, KeepsNoRecordAndIsKeptAsPractice) {
    const PracticeCase &c = GetParam();
    FormFixture f;
    if (!c.list.empty())
        f.form->useList(PoolPhrases({{"猫", "ねこ", "NEKO"}}, c.list));
    f.form->weakSpotsRead(f.form->historySource(), weakShi());
    f.form->startPractice();
    ASSERT_TRUE(f.form->inGame());
    EXPECT_NE(f.model().caption().find("苦手練習: し"), std::string::npos);
    f.tick(10.5);
    while (f.form->inGame())
        f.press(f.state().TargetRomaji.front());

    EXPECT_EQ(f.text("Label1"), "練習は記録なし");
    EXPECT_EQ(f.model().caption().find("苦手練習"), std::string::npos);
    EXPECT_EQ(f.file.writes, 0);
    EXPECT_EQ(f.file.content, freshRecords());
    ASSERT_EQ(f.history.games.size(), 1u);
    EXPECT_TRUE(f.history.games[0].practice);
    EXPECT_EQ(f.history.games[0].list, c.list);
    EXPECT_FALSE(f.history.games[0].newRecord);

    f.form->useTable();
    ASSERT_EQ(f.playCourse(10), std::nullopt);
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
    EXPECT_EQ(f.file.writes, 1);
    ASSERT_EQ(f.history.games.size(), 2u);
    EXPECT_FALSE(f.history.games[1].practice);
}

INSTANTIATE_TEST_SUITE_P(Sources, PracticeGame,
                         testing::Values(PracticeCase{"Table", ""}, PracticeCase{"List", "猫"}),
                         [](const auto &info) { return std::string(info.param.name); });

// The offer follows the spots: of the source in play, read since the last
// game, and no game running.
TEST(PracticeOffer, CountsOnlySpotsOfTheSourceInPlayReadSinceTheLastGame) {
    FormFixture f;
    EXPECT_EQ(f.form->practiceOffer().why, "成績を読んでいます…");
    f.form->weakSpotsRead(GameMode::Proverb, weakShi());
    EXPECT_FALSE(f.form->practiceOffer().can) << "the proverbs' spots, in word mode";
    f.form->weakSpotsRead(GameMode::Word, weakShi());
    EXPECT_TRUE(f.form->practiceOffer().can);
    EXPECT_EQ(f.form->practiceOffer().tip, "苦手な仮名: し");

    f.start();
    EXPECT_EQ(f.form->practiceOffer().why, "ゲーム中は始められません");
    f.form->startPractice();
    EXPECT_FALSE(f.form->practiceGame()) << "no practice game over a game in play";
    f.escape();
    EXPECT_EQ(f.form->practiceOffer().why, "成績を読んでいます…") << "read before that game";

    f.form->weakSpotsRead(GameMode::Word, WeakSpots{});
    EXPECT_NE(f.form->practiceOffer().why.find("300打以上"), std::string::npos);
    f.form->startPractice();
    EXPECT_FALSE(f.form->inGame());
}

// typing-zem --practice waits for the spots; where they show nothing to
// practise, their arrival stops with the reason, once, as a notice: no error.
TEST(PracticeOffer, PracticeWhenReadStartsOnArrivalOrSaysWhyNot) {
    FormFixture f;
    f.form->practiceWhenRead();
    EXPECT_FALSE(f.form->inGame());
    f.form->weakSpotsRead(GameMode::Word, weakShi());
    EXPECT_TRUE(f.form->inGame() && f.form->practiceGame());

    FormFixture thin;
    thin.form->practiceWhenRead();
    try {
        thin.form->weakSpotsRead(GameMode::Word, WeakSpots{});
        ADD_FAILURE() << "no notice for a history too thin";
    } catch (const Notice &notice) {
        EXPECT_NE(notice.message().find("300打以上"), std::string::npos);
    }
    thin.form->weakSpotsRead(GameMode::Word, WeakSpots{});
    EXPECT_FALSE(thin.form->inGame());
}

// The game says what happened; nobody compares states to find out. A
// window that closes mid-game keeps the game as stopped, as Escape does.
TEST(FormEventsTest, TellsOfEachEndOfEachSourceAndOfSpellingsToKeep) {
    FormFixture f;
    EventLog log;
    f.form->addListener(log);
    f.form->settings().spelling = SpellingRule::Any;
    f.start();
    f.press('a');
    f.escape();
    f.escape(); // no game: no end
    f.pickProverbs();
    f.form->useList(PoolPhrases({{"塩", "しお", "SIO"}}, "しお"));
    f.start();
    for (char c : std::string("SHIO"))
        f.press(c);
    f.form->FormClose();
    f.form->FormClose();
    f.form->useTable();
    ASSERT_EQ(f.playCourse(10), std::nullopt);
    f.form->removeListener(log);
    f.start();
    f.escape();

    EXPECT_EQ(log.events,
              (std::vector<std::string>{"settings", "stopped word", "source proverb",
                                        "source list:しお", "settings し=SHI", "stopped list:しお",
                                        "source proverb", "settings し=SHI", "completed proverb"}));
    ASSERT_EQ(f.history.games.size(), 3u);
    EXPECT_FALSE(f.history.games[1].completed);
    EXPECT_EQ(f.history.games[1].strokes, 4);
    EXPECT_EQ(f.text("Label1"), "タイピングZem");
}

} // namespace
} // namespace zem::test
