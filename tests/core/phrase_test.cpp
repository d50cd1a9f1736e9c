#include "fakes.h"
#include "game/phrase_draw.h"
#include "game/phrase_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace zem::test {
namespace {

// Number of characters of a UTF-8 text with no ASCII in it, or -1 when the
// bytes are not well-formed UTF-8 or hold an ASCII character.
int fullWidthLength(const std::string &text) {
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t len = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (len == 0 || i + len > text.size())
            return -1;
        for (std::size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return -1;
        i += len;
    }
    return count;
}

void expectRomaji(const char *romaji, std::size_t shortest, std::size_t longest) {
    ASSERT_NE(romaji, nullptr);
    const std::string text = romaji;
    EXPECT_GE(text.size(), shortest) << text;
    EXPECT_LE(text.size(), longest) << text;
    for (char c : text) {
        EXPECT_TRUE(c >= 'A' && c <= 'Z') << text;
        // No phrase needs these keys: the guide never lights them.
        EXPECT_EQ(std::string("CFJLQVX").find(c), std::string::npos) << text;
    }
}

void expectDisplay(const char *display, int shortest, int longest) {
    ASSERT_NE(display, nullptr);
    const int length = fullWidthLength(display);
    EXPECT_GE(length, shortest) << display;
    EXPECT_LE(length, longest) << display;
}

TEST(PhraseTable, EveryRowHoldsTypableRomajiAndJapaneseDisplayForms) {
    std::set<std::string> proverbs;
    for (const Phrase &row : PhraseTable) {
        expectRomaji(row.proverbRomaji, 9, 31);
        expectRomaji(row.wordRomaji, 3, 8);
        expectDisplay(row.proverbDisplay, 3, 12);
        expectDisplay(row.wordDisplay, 1, 3);
        if (row.proverbRomaji)
            proverbs.insert(row.proverbRomaji);
    }
    EXPECT_EQ(proverbs.size(), std::size_t(kPhraseCount)) << "every proverb comes once";
}

TEST(PhraseTable, OnlyTheClawComesTwiceAndTheLongestProverbIsRow33) {
    std::map<std::string, std::vector<int>> rowsOfWord;
    std::size_t longest = 0;
    int longestRow = -1;
    for (int r = 0; r < kPhraseCount; ++r) {
        const Phrase &row = PhraseTable[std::size_t(r)];
        rowsOfWord[std::string(row.wordRomaji) + row.wordDisplay].push_back(r);
        if (std::string(row.proverbRomaji).size() > longest) {
            longest = std::string(row.proverbRomaji).size();
            longestRow = r;
        }
    }
    EXPECT_EQ(rowsOfWord["TUME爪"], (std::vector<int>{22, 34}));
    EXPECT_EQ(rowsOfWord.size(), std::size_t(kPhraseCount - 1));
    EXPECT_EQ(longestRow, 33);
    EXPECT_STREQ(PhraseTable[33].proverbRomaji, "NODOMOTOSUGIREBAATUSAWOWASURERU");
}

TEST(PhraseTable, SpotChecksOfWholeRows) {
    struct Row {
        int index;
        Phrase cells;
    };
    const Row rows[] = {
        {0, {"AKUSENNMINITUKAZU", "悪銭身につかず", "AKUSENN", "悪銭"}},
        {2, {"ISINOUENIMOSANNNENN", "石の上にも三年", "SIRI", "尻"}},
        {29, {"NAGAIMONONIHAMAKAREYO", "長い物には巻かれよ", "NURETE", "濡れ手"}},
        {44, {"MURIGATOOREBADOORIHIKKOMU", "無理が通れば道理引っ込む", "TATARIME", "祟り目"}},
        {49, {"RONNYORISYOUKO", "論より証拠", "KAIINU", "飼い犬"}},
    };
    for (const Row &row : rows) {
        const Phrase &got = PhraseTable[std::size_t(row.index)];
        SCOPED_TRACE(row.index);
        EXPECT_STREQ(got.proverbRomaji, row.cells.proverbRomaji);
        EXPECT_STREQ(got.proverbDisplay, row.cells.proverbDisplay);
        EXPECT_STREQ(got.wordRomaji, row.cells.wordRomaji);
        EXPECT_STREQ(got.wordDisplay, row.cells.wordDisplay);
    }
}

TEST(DrawPhrase, ProverbModeTargetsTheProverbAndKeepsTheRowsWord) {
    GameState state;
    state.TargetRomaji = "LEFTOVER";
    FixedRandom random;
    random.next = {12};
    DrawPhrase(state, random, false);
    EXPECT_EQ(random.lastBound, 50);
    EXPECT_EQ(state.TargetRomaji, "KURUSIITOKINOKAMIDANOMI");
    EXPECT_EQ(state.TargetDisplay, "苦しいときの神頼み");
    EXPECT_EQ(state.WordRomaji, "KAMI");
    EXPECT_EQ(state.WordDisplay, "神");
}

TEST(DrawPhrase, WordModeTargetsTheWordOfTheSameRow) {
    GameState state;
    FixedRandom random;
    random.next = {49};
    DrawPhrase(state, random, true);
    EXPECT_EQ(state.TargetRomaji, "KAIINU");
    EXPECT_EQ(state.TargetDisplay, "飼い犬");
    EXPECT_EQ(state.WordRomaji, "KAIINU");
    EXPECT_EQ(state.WordDisplay, "飼い犬");
}

// Many draws from the real generator: every row about equally often, the
// same row again at once as often as any other, the claw twice as often as
// any other word.
TEST(DrawPhrase, DrawsEveryRowAboutEquallyOftenWithoutMemory) {
    constexpr int kDraws = 50'000;
    const double expected = double(kDraws) / kPhraseCount;
    MersenneRandom random;
    random.seed(20'240'607);
    GameState state;
    std::map<std::string, int> rows; // told apart by their proverb
    std::string previous;
    int repeats = 0;
    for (int i = 0; i < kDraws; ++i) {
        DrawPhrase(state, random, false);
        ++rows[state.TargetRomaji];
        repeats += state.TargetRomaji == previous;
        previous = state.TargetRomaji;
    }
    ASSERT_EQ(rows.size(), std::size_t(kPhraseCount)) << "some row is never drawn";
    double chiSquare = 0.0;
    for (const auto &[proverb, n] : rows)
        chiSquare += (n - expected) * (n - expected) / expected;
    // 49 degrees of freedom: 100 lies far out in the tail (p < 0.0001).
    EXPECT_LT(chiSquare, 100.0);
    EXPECT_NEAR(repeats, expected, 200.0);

    std::map<std::string, int> words;
    for (int i = 0; i < kDraws; ++i) {
        DrawPhrase(state, random, true);
        ++words[state.TargetRomaji];
    }
    EXPECT_NEAR(words["TUME"], 2 * expected, 300.0);
    EXPECT_NEAR(words["UMA"], expected, 200.0);
}

// The generator is seeded at start-up from the UTC clock and never again:
// the same millisecond gives the same games, another one other games.
TEST(DrawPhrase, GeneratorIsSeededOnceFromTheUtcMilliseconds) {
    FormFixture f;
    EXPECT_EQ(f.random.seeded, 1234u);
    f.start();
    f.typePhrase();
    f.escape();
    f.tick();
    f.start();
    EXPECT_EQ(f.random.seeds, 1);
    EXPECT_EQ(f.random.draws, 3) << "START, the refill, START";

    auto games = [](std::uint32_t utcMs) {
        FakeClock clock;
        clock.utcMs = utcMs;
        MersenneRandom random;
        MemoryRecordFile file;
        file.content = freshRecords();
        TForm1 form(clock, random, file);
        form.FormCreate();
        std::vector<std::string> phrases;
        for (int i = 0; i < 8; ++i) {
            form.Button1Click();
            phrases.push_back(form.state().TargetRomaji);
            std::uint16_t escape = kVkEscape;
            form.FormKeyDown(escape, 0);
            form.Timer1Timer();
        }
        return phrases;
    };
    EXPECT_EQ(games(45'296'789), games(45'296'789));
    EXPECT_NE(games(45'296'789), games(45'296'790));
}

} // namespace
} // namespace zem::test
