#include "history/weak_spots.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

using Status = WeakSpots::Status;

struct WeakSpotCase {
    const char *name;
    std::vector<GameCounts> newestFirst;
    Status status;
    int games; // looked at
    std::vector<std::string> kana;
    std::string keys;
};

TEST(WeakSpots, PicksTheMostMissedKanaAndKeysOfTheLatestGames) {
    // Seven kana of 30 each, missed 3 to 9 times, not in the order of their bytes.
    GameCounts seven{300, {}, {}};
    for (const char *k : {"ぇ", "ぃ", "あ", "ぅ", "ぁ", "い", "う"})
        seven.kana.push_back({k, 27 - int(seven.kana.size()), 3 + int(seven.kana.size())});
    GameRecord record; // 250 right and 50 missed: 300 judged
    record.strokes = 250;
    record.misses = 50;
    record.kana = {{"し", 20, 10}};
    // clang-format off
    const WeakSpotCase cases[] = {
        {"no games", {}, Status::TooThin, 0, {}, ""},
        {"299 strokes are too thin",
         {{200, {{"し", 0, 50}}, {{'S', 0, 50}}}, {99, {}, {}}}, Status::TooThin, 2, {}, ""},
        {"300 strokes are enough, their counts add up, the next game is not looked at",
         {{150, {{"し", 12, 3}}, {}}, {150, {{"し", 4, 1}}, {}}, {100, {{"ぬ", 0, 40}}, {}}},
         Status::Found, 2, {"し"}, ""},
        {"19 occurrences are too few, 20 enough; 2 misses too few, 3 enough",
         {{300, {{"し", 16, 3}, {"つ", 17, 3}, {"ぬ", 48, 2}, {"ん", 80, 0}},
           {{'S', 16, 3}, {'T', 17, 3}, {'U', 48, 2}, {'N', 80, 0}}}},
         Status::Found, 1, {"つ"}, "T"},
        {"keys can be weak where no kana is",
         {{400, {{"ん", 80, 0}}, {{'N', 77, 3}}}}, Status::NothingMissed, 1, {}, "N"},
        {"a rate over fewer strokes ranks lower, 3 in 20 below 10 in 100; the same counts go to order",
         {{300, {{"ん", 17, 3}, {"ぬ", 90, 10}, {"し", 14, 6}, {"か", 28, 12}, {"つ", 28, 12}},
           {{'N', 17, 3}, {'Z', 14, 6}, {'A', 90, 10}, {'T', 28, 12}, {'K', 28, 12}}}},
         Status::Found, 1, {"か", "つ", "し", "ぬ", "ん"}, "KTZAN"},
        {"a record's misses are judged strokes too",
         {gameCounts(record)}, Status::Found, 1, {"し"}, ""},
        {"at most five", {seven}, Status::Found, 1, {"う", "い", "ぁ", "ぅ", "あ"}, ""},
    };
    // clang-format on
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

} // namespace
} // namespace zem::test
