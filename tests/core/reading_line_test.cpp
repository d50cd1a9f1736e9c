#include "fakes.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// The reading line after each key, written greyed[marked]rest.
struct SplitCase {
    const char *name;
    PoolPhrase phrase;
    SpellingRule rule;
    const char *keys;
    std::vector<std::string> after;
};

class ReadingSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(ReadingSplit, GreysEachKanaOnceItsKeysAreTypedAndMarksTheNext) {
    const SplitCase &c = GetParam();
    FormFixture f;
    f.form->useList(PoolPhrases({c.phrase}));
    f.form->settings().spelling = c.rule;
    f.form->showReading(true);
    f.start();
    for (std::size_t i = 0; i < c.after.size(); ++i) {
        f.hold(c.keys[i]); // judged; the key-up of the last one would draw anew
        const Control &line = f.at("ReadingLine");
        const std::string &t = line.text;
        const std::size_t marked = line.greyedBytes + line.markedBytes;
        EXPECT_EQ(t.substr(0, line.greyedBytes) + "[" +
                      t.substr(line.greyedBytes, line.markedBytes) + "]" + t.substr(marked),
                  c.after[i])
            << "key " << i;
        f.release();
    }
}

// KAPPA under the table's rule; then SHI for し, a miss, a single N for ん
// before a consonant and NN at the end.
INSTANTIATE_TEST_SUITE_P(
    Phrases, ReadingSplit,
    testing::Values(SplitCase{"Sokuon",
                              {"河童", "かっぱ", "KAPPA"},
                              SpellingRule::Table,
                              "KAPPA",
                              {"[か]っぱ", "か[っ]ぱ", "かっ[ぱ]", "かっ[ぱ]", "かっぱ[]"}},
                    SplitCase{"EverySpelling",
                              {"新聞", "しんぶん", "SINNBUNN"},
                              SpellingRule::Any,
                              "SHITNBUNN",
                              {"[し]んぶん", "[し]んぶん", "し[ん]ぶん", "し[ん]ぶん", "し[ん]ぶん",
                               "しん[ぶ]ん", "しんぶ[ん]", "しんぶ[ん]", "しんぶん[]"}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zem::test
