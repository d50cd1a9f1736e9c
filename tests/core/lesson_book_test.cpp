#include "game/lesson_steps.h"
#include "kana/kana_text.h"
#include "kana/table_romaji.h"
#include "lists/phrase_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace zem::test {
namespace {

TEST(LessonSteps, AreNumberedInOrderWithTargetsRisingFromSixtyToOneFifty) {
    const auto steps = lessonSteps();
    ASSERT_EQ(steps.size(), 14u);
    for (std::size_t at = 0; at < steps.size(); ++at) {
        EXPECT_EQ(steps[at].number, int(at) + 1);
        EXPECT_EQ(lessonStep(steps[at].number), &steps[at]);
        if (at > 0) {
            EXPECT_GE(steps[at].speedTarget, steps[at - 1].speedTarget) << steps[at].name;
        }
    }
    EXPECT_EQ(steps.front().speedTarget, 60);
    EXPECT_EQ(steps.back().speedTarget, 150);
    EXPECT_EQ(lessonStep(0), nullptr);
    EXPECT_EQ(lessonStep(15), nullptr);
}

// Each kana is taught once, as one unit, once the keys of its spelling are;
// っ has no keys of its own, it doubles the next kana's consonant.
TEST(LessonSteps, TeachEachKanaOnceAfterTheKeysThatSpellIt) {
    std::set<std::string> taught;
    std::set<char> keys;
    for (const LessonStep &step : lessonSteps()) {
        SCOPED_TRACE(step.name);
        for (char key : step.keys)
            EXPECT_TRUE(keys.insert(key).second) << key;
        const std::vector<std::string> added = lessonKana(step.number);
        for (std::size_t at = taught.size(); at < added.size(); ++at) {
            const std::string &kana = added[at];
            EXPECT_TRUE(taught.insert(kana).second) << kana;
            EXPECT_EQ(kanaUnits(kana).size(), 1u) << kana;
            std::string spelling;
            ASSERT_TRUE(tableRomaji(kana, spelling)) << kana;
            if (kana == "っ")
                continue;
            for (char key : spelling)
                EXPECT_TRUE(keys.contains(key)) << kana << " needs " << key;
        }
    }
}

TEST(LessonSteps, NameWhatAReadingHoldsThatItsStepHasNotTaught) {
    struct Case {
        const char *kana;
        int step;
        const char *misfit;
    };
    const Case cases[] = {
        {"あかさか", 1, ""},      {"あい", 1, "い"},  {"あい", 2, ""},
        {"ねこ", 5, "ね"},        {"ねこ", 6, ""},    {"しゃしん", 10, "しゃ"},
        {"きって", 11, "っ"},     {"きって", 12, ""}, {"あっ", 14, "X"},
        {"こーひー", 12, "ー"},   {"はい、", 13, ""}, {"ひゅう", 14, "ひゅ"},
        {"ふぁいと", 14, "ふぁ"}, {"赤", 14, "赤"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(lessonMisfit(c.kana, c.step), c.misfit) << c.kana << " in step " << c.step;
}

// The hiragana of a display, katakana read as hiragana, in the runs that
// its reading must hold as they are ("い" of 赤い).
std::vector<std::string> kanaRuns(const std::string &display) {
    std::vector<std::string> runs{""};
    for (const std::string &unit : kanaUnits(toHiragana(display))) {
        if (unit >= "ぁ" && unit < "ゟ")
            runs.back() += unit;
        else if (!runs.back().empty())
            runs.emplace_back();
    }
    return runs;
}

TEST(LessonBook, EachStepsFileReadsWholeAndPractisesOnlyWhatWasTaught) {
    std::set<std::string> files;
    std::set<std::string> displays;
    for (const LessonStep &step : lessonSteps()) {
        SCOPED_TRACE(step.name);
        files.insert(std::string(step.file));
        const ListResult read = readPhraseFile(ZEM_LESSONS "/" + std::string(step.file));
        ASSERT_TRUE(read.list) << read.message;
        const std::vector<ListPhrase> &phrases = read.list->phrases;
        if (step.number > 1) { // the home row spells few words
            EXPECT_GE(phrases.size(), 30u);
        }
        const std::vector<std::string> allowed = lessonKana(step.number);
        const std::set<std::string> added(allowed.begin() + lessonKana(step.number - 1).size(),
                                          allowed.end());
        std::set<std::string> practised;
        for (const ListPhrase &phrase : phrases) {
            SCOPED_TRACE(phrase.display);
            EXPECT_TRUE(displays.insert(phrase.display).second) << "twice in the book";
            EXPECT_EQ(lessonMisfit(phrase.kana, step.number), "");
            for (const std::string &run : kanaRuns(phrase.display))
                EXPECT_NE(phrase.kana.find(run), std::string::npos) << run << " not in the reading";
            bool practises = added.empty();
            for (const std::string &unit : kanaUnits(phrase.kana))
                if (added.contains(unit)) {
                    practised.insert(unit);
                    practises = true;
                }
            EXPECT_TRUE(practises) << "uses nothing its step adds";
        }
        for (const std::string &kana : added)
            EXPECT_TRUE(practised.contains(kana)) << kana << " taught but never practised";
    }
    for (const auto &entry : std::filesystem::directory_iterator(ZEM_LESSONS))
        EXPECT_TRUE(files.contains(entry.path().filename().string()))
            << entry.path() << " is installed but no step's";
}

} // namespace
} // namespace zem::test
