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
    // Seven kana of 20 each, missed 1 to 7 times, not in the order of their bytes.
    GameCounts seven{300, {}, {}};
    for (const char *k : {"ぇ", "ぃ", "あ", "ぅ", "ぁ", "い", "う"})
        seven.kana.push_back({k, 19 - int(seven.kana.size()), 1 + int(seven.kana.size())});
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
         {{150, {{"し", 5, 3}}, {}}, {150, {{"し", 1, 1}}, {}}, {100, {{"ぬ", 0, 40}}, {}}},
         Status::Found, 2, {"し"}, ""},
        {"nine occurrences are too few, ten enough; never missed is not weak",
         {{300, {{"し", 1, 8}, {"つ", 9, 1}, {"ん", 80, 0}}, {{'S', 1, 8}, {'T', 9, 1}, {'N', 80, 0}}}},
         Status::Found, 1, {"つ"}, "T"},
        {"keys can be weak where no kana is",
         {{400, {{"ん", 80, 0}}, {{'N', 79, 1}}}}, Status::NothingMissed, 1, {}, "N"},
        {"rate first; equal rates go to more misses, then to order",
         {{300, {{"ぬ", 90, 10}, {"し", 7, 3}, {"か", 14, 6}, {"つ", 14, 6}, {"ん", 45, 5}},
           {{'Z', 7, 3}, {'K', 14, 6}, {'T', 14, 6}, {'A', 90, 10}}}},
         Status::Found, 1, {"か", "つ", "し", "ぬ", "ん"}, "KTZA"},
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
