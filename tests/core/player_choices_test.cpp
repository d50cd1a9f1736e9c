#include "fakes.h"

#include "app/player_choices.h"

#include <gtest/gtest.h>

namespace zem::test {
namespace {

// The settings file in memory.
struct MemorySettings final : SettingsStore {
    PlayerSettings stored;
    int writes = 0;
    PlayerSettings read() override { return stored; }
    void write(const PlayerSettings &settings) override {
        stored = settings;
        ++writes;
    }
};

// The spellings a game reports are the player's to keep, unless the rule
// came from --spelling for this run only; choosing it in the menu makes it
// the player's again.
struct KeepCase {
    const char *name;
    SpellingRule fileRule;
    const char *option; // --spelling
    bool menuChoosesAny;
    bool kept;
};

class SpellingsKept : public testing::TestWithParam<KeepCase> {};

TEST_P(SpellingsKept, OnlyUnderTheRuleThePlayerKeeps) {
    const KeepCase &c = GetParam();
    FormFixture f;
    MemorySettings file;
    file.stored.spelling = c.fileRule;
    PlayerChoices choices(*f.form, file, {});
    ASSERT_EQ(choices.start(c.option, {}).message, "");
    if (c.menuChoosesAny)
        choices.setAnySpelling(true);
    ASSERT_TRUE(choices.anySpelling());
    f.start();
    f.press('A'); // あ of AKUSENN, in the player's own spelling
    f.escape();
    EXPECT_EQ(file.stored.lastSpellings.count("あ"), c.kept ? 1u : 0u);
    EXPECT_EQ(file.stored.spelling, c.menuChoosesAny ? SpellingRule::Any : c.fileRule);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SpellingsKept,
    testing::Values(KeepCase{"FileSaysAny", SpellingRule::Any, "", false, true},
                    KeepCase{"OptionForOneRun", SpellingRule::Table, "any", false, false},
                    KeepCase{"OptionThenMenu", SpellingRule::Table, "any", true, true}),
    [](const auto &info) { return std::string(info.param.name); });

// A remembered list that has gone is named once, as a notice, forgotten in
// the file, and the game starts on the table. A list asked for on the
// command line that cannot be read is an error.
TEST(PlayerChoicesStart, ARememberedListThatHasGoneIsForgotten) {
    FormFixture f;
    MemorySettings file;
    file.stored.lastList = "/nonexistent/今週.txt";
    PlayerChoices choices(*f.form, file, "/shipped");
    const PlayerChoices::Told told = choices.start({}, {});
    EXPECT_NE(told.message.find("組み込みの問題で始めます"), std::string::npos) << told.message;
    EXPECT_TRUE(told.notice);
    EXPECT_TRUE(file.stored.lastList.empty());
    EXPECT_EQ(f.form->sources().list(), nullptr);
    EXPECT_EQ(choices.listFolder(), "/shipped");

    const PlayerChoices::Told refused = choices.start({}, "/nonexistent/今週.txt");
    EXPECT_NE(refused.message.find("「今週」"), std::string::npos) << refused.message;
    EXPECT_FALSE(refused.notice);
}

TEST(PlayerChoicesStart, TheFingerGuideIsOnWhenTheSettingsSaySo) {
    FormFixture f;
    MemorySettings file;
    file.stored.fingers = true;
    PlayerChoices choices(*f.form, file, {});
    choices.start({}, {});
    EXPECT_TRUE(f.shown("FingerLabel"));
    EXPECT_NE(f.color("Panel1"), clCream);
    choices.setFingerGuide(false);
    EXPECT_FALSE(file.stored.fingers);
    EXPECT_EQ(f.color("Panel1"), clCream);
}

} // namespace
} // namespace zem::test
