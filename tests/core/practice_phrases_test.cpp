#include "game/practice_phrases.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace zem::test {
namespace {

constexpr int kDraws = 3000;

// How often each phrase (told apart by its display text) comes in kDraws.
std::map<std::string, int> drawCounts(const PhraseSource &source, std::uint32_t seed) {
    MersenneRandom random;
    random.seed(seed);
    GameState state;
    std::map<std::string, int> counts;
    for (int i = 0; i < kDraws; ++i) {
        source.draw(state, random, true);
        ++counts[state.TargetDisplay];
    }
    return counts;
}

std::vector<PoolPhrase> poolOf(const std::vector<std::string> &kana) {
    std::vector<PoolPhrase> pool;
    for (const std::string &k : kana)
        pool.push_back({k, k, ""});
    return pool;
}

struct ShareCase {
    const char *name;
    std::vector<std::string> pool; // display and kana alike
    std::vector<std::string> weak;
    std::vector<double> shares; // expected, in pool order
};

// One draw in three uniform, two in three by the count of weak units.
TEST(PracticePhrases, EachPhraseComesInProportionToItsWeakKanaUnits) {
    const ShareCase cases[] = {
        {"one weak unit against two",
         {"あい", "つき", "つくつく"},
         {"つ"},
         {1 / 9., 3 / 9., 5 / 9.}},
        {"a weak kana counts as a whole unit only, in either script",
         {"しゃしん", "ねこ", "シカ"},
         {"し"},
         {1 / 3. * 1 / 3. + 2 / 3. * 1 / 2., 1 / 9., 1 / 3. * 1 / 3. + 2 / 3. * 1 / 2.}},
        {"no phrase holds a weak kana: every draw uniform",
         {"あ", "い", "う"},
         {"ん"},
         {1 / 3., 1 / 3., 1 / 3.}},
    };
    for (const ShareCase &c : cases) {
        SCOPED_TRACE(c.name);
        std::map<std::string, int> counts =
            drawCounts(PracticePhrases(poolOf(c.pool), c.weak), 2026);
        for (std::size_t i = 0; i < c.pool.size(); ++i) {
            const double p = c.shares[i];
            // Five standard deviations: a wrong rule misses by far more.
            const double sigma = std::sqrt(kDraws * p * (1 - p));
            EXPECT_NEAR(counts[c.pool[i]], kDraws * p, 5 * sigma) << c.pool[i];
        }
    }
}

TEST(PracticePhrases, TheTablesPhrasesWithAWeakKanaComeFarOftenerAndEveryPhraseStillComes) {
    const std::vector<std::string> weak = {"つ", "ん"};
    const std::vector<PoolPhrase> pool = tablePool(true);
    const PracticePhrases practice(pool, weak);
    std::map<std::string, bool> holdsWeak;
    int weakPhrases = 0;
    for (const PoolPhrase &p : pool) {
        const bool holds =
            p.kana.find("つ") != std::string::npos || p.kana.find("ん") != std::string::npos;
        holdsWeak[p.display] = holds;
        weakPhrases += holds;
    }
    ASSERT_GT(weakPhrases, 0);
    ASSERT_LT(weakPhrases, int(pool.size()) / 2) << "too common for the share to tell";
    const std::map<std::string, int> counts = drawCounts(practice, 7);
    int weakDraws = 0;
    for (const auto &[display, n] : counts)
        weakDraws += holdsWeak.at(display) ? n : 0;
    const double uniformShare = double(weakPhrases) / double(pool.size());
    EXPECT_GE(double(weakDraws) / kDraws, 1.5 * uniformShare);
    EXPECT_EQ(counts.size(), holdsWeak.size()) << "some phrase is never drawn";
}

// Without weak kana a practice game is a normal one, down to the numbers.
TEST(PracticePhrases, WithoutWeakKanaDrawsAsThePoolDoesNumberForNumber) {
    const std::vector<PoolPhrase> pool = tablePool(false);
    const PracticePhrases practice(pool, {"ゐ"});
    const PoolPhrases uniform(pool);
    MersenneRandom a, b;
    a.seed(99);
    b.seed(99);
    GameState left, right;
    for (int i = 0; i < 200; ++i) {
        practice.draw(left, a, false);
        uniform.draw(right, b, false);
        ASSERT_EQ(left.TargetDisplay, right.TargetDisplay) << "draw " << i;
    }
}

TEST(PracticeTitle, NamesTheWeakKanaAfterTheCaption) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"し", "つ", "ん"}, "タイピングZemVer3.0 — 苦手練習: し つ ん"},
        {{}, "タイピングZemVer3.0"},
    };
    for (const auto &[weak, title] : cases)
        EXPECT_EQ(practiceTitle("タイピングZemVer3.0", weak), title);
}

} // namespace
} // namespace zem::test
