#include "fakes.h"

#include "game/practice_phrases.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

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
    const PoolPhrases list({{"猫", "ねこ", "NEKO"}}, c.list);
    if (!c.list.empty())
        f.form->usePhrases(&list);
    const PracticePhrases practice(c.list.empty() ? tablePool(true) : list.phrases(), {"し"},
                                   c.list);
    f.form->startPractice(practice);
    ASSERT_TRUE(f.form->inGame());
    f.tick(10.5);
    while (f.form->inGame())
        f.press(f.state().TargetRomaji.front());

    EXPECT_EQ(f.text("Label1"), "練習は記録なし");
    EXPECT_EQ(f.file.writes, 0);
    EXPECT_EQ(f.file.content, freshRecords());
    ASSERT_EQ(f.history.games.size(), 1u);
    EXPECT_TRUE(f.history.games[0].practice);
    EXPECT_EQ(f.history.games[0].list, c.list);
    EXPECT_FALSE(f.history.games[0].newRecord);

    f.form->usePhrases(nullptr);
    ASSERT_EQ(f.playCourse(10), std::nullopt);
    EXPECT_EQ(f.text("Label1"), "記録更新だ!!");
    EXPECT_EQ(f.file.writes, 1);
    ASSERT_EQ(f.history.games.size(), 2u);
    EXPECT_FALSE(f.history.games[1].practice);
}

INSTANTIATE_TEST_SUITE_P(Sources, PracticeGame,
                         testing::Values(PracticeCase{"Table", ""}, PracticeCase{"List", "猫"}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zem::test
