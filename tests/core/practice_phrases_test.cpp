#include "game/practice_phrases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

namespace zem::test {
namespace {

constexpr int kDraws = 3000;

// How often each phrase, told apart by its display text, comes in kDraws.
std::map<std::string, int> drawCounts(const std::vector<PoolPhrase> &pool,
                                      const std::vector<std::string> &weak) {
    const PracticePhrases practice(pool, weak);
    MersenneRandom random;
    random.seed(2026);
    GameState state;
    std::map<std::string, int> counts;
    for (int i = 0; i < kDraws; ++i) {
        practice.draw(state, random, true);
        ++counts[state.TargetDisplay];
    }
    return counts;
}

struct ShareCase {
    const char *name;
    std::vector<std::string> pool; // display and kana alike
    std::vector<std::string> weak;
    std::vector<double> shares; // expected, in pool order
};

// One draw in three uniform, two in three by the count of weak units.
TEST(PracticePhrases, EachPhraseComesInProportionToItsWeakKanaUnits) {
    // clang-format off
    const ShareCase cases[] = {
        {"one weak unit against two", {"あい", "つき", "つくつく"}, {"つ"}, {1 / 9., 3 / 9., 5 / 9.}},
        {"whole units only, in either script", {"しゃしん", "ねこ", "シカ"}, {"し"}, {4 / 9., 1 / 9., 4 / 9.}},
        {"no weak kana in the pool: uniform", {"あ", "い", "う"}, {"ん"}, {1 / 3., 1 / 3., 1 / 3.}},
    };
    // clang-format on
    for (const ShareCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<PoolPhrase> pool;
        for (const std::string &k : c.pool)
            pool.push_back({k, k, ""});
        std::map<std::string, int> counts = drawCounts(pool, c.weak);
        for (std::size_t i = 0; i < c.pool.size(); ++i) {
            // Five standard deviations: a wrong rule misses by far more.
            const double p = c.shares[i], sigma = std::sqrt(kDraws * p * (1 - p));
            EXPECT_NEAR(counts[c.pool[i]], kDraws * p, 5 * sigma) << c.pool[i];
        }
    }
}

TEST(PracticePhrases, TheTablesWordsWithWeakKanaComeFarOftenerAndEveryWordStillComes) {
    const std::vector<PoolPhrase> pool = tablePool(true);
    const std::map<std::string, int> counts = drawCounts(pool, {"つ", "ん"});
    std::set<std::string> words, weakWords;
    int weakEntries = 0; // one word (爪) is in the table twice
    for (const PoolPhrase &p : pool) {
        words.insert(p.display);
        if (p.kana.find("つ") != p.kana.npos || p.kana.find("ん") != p.kana.npos) {
            weakWords.insert(p.display);
            ++weakEntries;
        }
    }
    int weakDraws = 0;
    for (const auto &[word, n] : counts)
        weakDraws += weakWords.count(word) ? n : 0;
    ASSERT_GT(weakEntries, 0);
    EXPECT_GE(double(weakDraws) / kDraws, 1.5 * weakEntries / double(pool.size()))
        << weakDraws << " of " << kDraws << " for " << weakEntries << " of " << pool.size();
    EXPECT_EQ(counts.size(), words.size()) << "some word is never drawn";
}

} // namespace
} // namespace zem::test
