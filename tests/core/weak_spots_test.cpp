#include "history/weak_spots.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

GameCounts game(std::int64_t strokes, std::vector<KanaTally> kana,
                std::vector<KeyTally> keys = {}) {
    return {strokes, std::move(kana), std::move(keys)};
}

// Seven kana of 20 occurrences each, missed 1 to 7 times in an order
// that is not the order of their bytes.
std::vector<KanaTally> sevenMissedKana() {
    std::vector<KanaTally> kana;
    const char *names[] = {"ぇ", "ぃ", "あ", "ぅ", "ぁ", "い", "う"};
    for (int i = 0; i < 7; ++i)
        kana.push_back({names[i], 20 - (i + 1), i + 1});
    return kana;
}

struct WeakSpotCase {
    const char *name;
    std::vector<GameCounts> newestFirst;
    WeakSpots::Status status;
    int games; // looked at
    std::vector<std::string> kana;
    std::string keys;
};

TEST(WeakSpots, PicksTheMostMissedKanaAndKeysOfTheLatestGames) {
    const WeakSpotCase cases[] = {
        {"no games at all", {}, WeakSpots::Status::TooThin, 0, {}, ""},
        {"299 strokes are too thin, however badly missed",
         {game(200, {{"し", 0, 50}}, {{'S', 0, 50}}), game(99, {{"つ", 0, 30}})},
         WeakSpots::Status::TooThin,
         2,
         {},
         ""},
        {"300 strokes over two games are enough, and the third is not looked at",
         {game(150, {{"し", 5, 3}}), game(150, {{"し", 1, 1}}), game(100, {{"ぬ", 0, 40}})},
         WeakSpots::Status::Found,
         2,
         {"し"},
         ""},
        {"older games than the 300 strokes need are left out",
         {game(200, {{"か", 18, 2}}), game(150, {{"か", 9, 1}}), game(500, {{"ぬ", 0, 40}})},
         WeakSpots::Status::Found,
         2,
         {"か"},
         ""},
        {"nine occurrences are too few, ten enough; never missed is not weak",
         {game(300, {{"し", 1, 8}, {"つ", 9, 1}, {"ん", 80, 0}},
               {{'S', 1, 8}, {'T', 9, 1}, {'N', 80, 0}})},
         WeakSpots::Status::Found,
         1,
         {"つ"},
         "T"},
        {"keys missed often are found where no kana is",
         {game(400, {{"ん", 80, 0}, {"し", 2, 7}}, {{'N', 79, 1}})},
         WeakSpots::Status::NothingMissed,
         1,
         {},
         "N"},
        {"the rate counts before the misses; equal rates go to more misses, then to order",
         {game(300, {{"ぬ", 90, 10}, {"し", 7, 3}, {"か", 14, 6}, {"つ", 14, 6}, {"ん", 45, 5}},
               {{'Z', 7, 3}, {'K', 14, 6}, {'T', 14, 6}, {'A', 90, 10}})},
         WeakSpots::Status::Found,
         1,
         {"か", "つ", "し", "ぬ", "ん"},
         "KTZA"},
        {"counts of one kana add up over the games",
         {game(150, {{"す", 3, 2}}), game(150, {{"す", 4, 1}})},
         WeakSpots::Status::Found,
         2,
         {"す"},
         ""},
        {"at most five, the weakest",
         {game(300, sevenMissedKana())},
         WeakSpots::Status::Found,
         1,
         {"う", "い", "ぁ", "ぅ", "あ"},
         ""},
    };
    for (const WeakSpotCase &c : cases) {
        SCOPED_TRACE(c.name);
        const WeakSpots spots = findWeakSpots(c.newestFirst);
        EXPECT_EQ(spots.status, c.status);
        EXPECT_EQ(spots.games, c.games);
        EXPECT_EQ(spots.kanaUnits(), c.kana);
        std::string keys;
        for (const SpotRate &key : spots.keys)
            keys += key.key;
        EXPECT_EQ(keys, c.keys);
        EXPECT_EQ(spots.reason().empty(), spots.found()) << spots.reason();
    }
}

TEST(WeakSpots, AGameRecordCountsItsMissesAmongItsJudgedStrokes) {
    GameRecord record;
    record.strokes = 250;
    record.misses = 50;
    record.kana = {{"し", 20, 10}};
    EXPECT_TRUE(findWeakSpots({gameCounts(record)}).found());
}

} // namespace
} // namespace zem::test
