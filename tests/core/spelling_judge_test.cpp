#include "game/phrase_table.h"
#include "kana/entry_readings.h"
#include "kana/kana_text.h"
#include "kana/spelling_judge.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <random>
#include <regex>

namespace zem::test {
namespace {

constexpr int kAllTaken = -1, kTakenNotDone = -2;

// Where the first miss falls when `keys` are typed for `kana`, else whether
// the keys ended the text.
int firstMiss(std::string_view kana, std::string_view keys) {
    SpellingJudge judge;
    judge.start(kana, SpellingRule::Any);
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (!judge.type(keys[i]))
            return int(i);
    return judge.done() ? kAllTaken : kTakenNotDone;
}

TEST(SpellingJudge, EachKindOfKanaTakesItsInputMethodSpellingsAndNoOther) {
    struct Case {
        const char *kana, *keys;
        int miss;
    };
    const Case cases[] = {
        {"し", "SI", kAllTaken},
        {"し", "SHI", kAllTaken},
        {"し", "CI", kAllTaken},
        {"し", "SYI", 1}, // しぃ, not し
        {"ち", "TI", kAllTaken},
        {"ち", "CHI", kAllTaken},
        {"ち", "CI", 1},
        {"つ", "TU", kAllTaken},
        {"つ", "TSU", kAllTaken},
        {"ふ", "HU", kAllTaken},
        {"ふ", "FU", kAllTaken},
        {"じ", "ZI", kAllTaken},
        {"じ", "JI", kAllTaken},
        {"かくこせ", "CACUCOCE", kAllTaken},
        {"く", "QU", kAllTaken},
        {"しゃ", "SYA", kAllTaken},
        {"しゃ", "SHA", kAllTaken},
        {"しゃ", "SA", 1},
        {"じゃ", "JA", kAllTaken},
        {"じゃ", "JYA", kAllTaken},
        {"じゃ", "ZYA", kAllTaken},
        {"ちゃ", "CYA", kAllTaken},
        {"ちゃ", "CHA", kAllTaken},
        {"ちゃ", "TYA", kAllTaken},
        {"きゅう", "KIXYUU", kAllTaken},
        {"しょ", "SILYO", kAllTaken},
        {"しょ", "SHIXYO", kAllTaken},
        {"ふぁ", "FA", kAllTaken},
        {"てぃ", "THI", kAllTaken},
        {"ゔぁ", "VA", kAllTaken},
        {"くぃくぇくぉくぅ", "KWIKWEKWOKWU", kAllTaken},
        {"てぃでぃとぅどぅ", "T'ID'IT'UD'U", kAllTaken},
        {"てゅでゅ", "T'YUD'YU", kAllTaken},
        {"ふぁふぃふぇふぉふゅ", "HWAHWIHWEHWOHWYU", kAllTaken},
        {"すぃずぃぐぃ", "SWIZWIGWI", kAllTaken},
        {"てぁ", "THA", kAllTaken},
        {"ゐ", "WI", 1}, // うぃ to every input method
        {"しゃ", "sHa", kAllTaken},
        {"あ", "1", 0},
        {"あ", "\xE3", 0},
        {"らーめん、。", "RA-MENN,.", kAllTaken},
        // ん: NN, N', XN everywhere, a single N only before a consonant but N
        // and Y or a mark, never at the end, where an input method waits.
        {"かんき", "KANKI", kAllTaken},
        {"かんき", "KAN'KI", kAllTaken},
        {"かんき", "KAXNKI", kAllTaken},
        {"かんい", "KANI", 3},
        {"かんい", "KAN'I", kAllTaken},
        {"ほんの", "HONNO", 4},
        {"ほんの", "HONNNO", kAllTaken},
        {"ほんや", "HONYA", 3},
        {"ほんを", "HONWO", kAllTaken},
        {"ほん", "HON", kTakenNotDone},
        {"みかん。", "MIKAN.", kAllTaken},
        {"ほん、らーめんー", "HON,RA-MEN-", kAllTaken},
        {"ほん", "HONN", kAllTaken},
        // っ: the next spelling's first letter doubled, or written alone.
        {"かった", "KATTA", kAllTaken},
        {"かった", "KAXTUTA", kAllTaken},
        {"かった", "KALTSUTA", kAllTaken},
        {"まっちゃ", "MACCHA", kAllTaken},
        {"まっちゃ", "MATTYA", kAllTaken},
        {"みっつ", "MITTSU", kAllTaken},
        {"まっちゃ", "MATCHA", 3},
        {"あっ", "AT", 1},
        {"あっ", "AXTU", kAllTaken},
        {"っあ", "AA", 0},
        {"きっね", "KINNE", 2},
        {"きっね", "KIXTUNE", kAllTaken},
        {"あっっか", "AKKKA", kAllTaken},
        {"かんっか", "KANKKA", kAllTaken},
    };
    for (const Case &c : cases)
        EXPECT_EQ(firstMiss(c.kana, c.keys), c.miss) << c.kana << " " << c.keys;
}

// The game's judge: the next letter of the table romaji, in either case.
TEST(SpellingJudge, TableRuleTakesTheOldLettersOnlyForEveryBuiltInEntry) {
    SpellingJudge judge;
    for (const Phrase &row : PhraseTable) {
        for (const std::string romaji : {row.proverbRomaji, row.wordRomaji}) {
            SCOPED_TRACE(romaji);
            judge.start(entryKana(romaji), SpellingRule::Table);
            EXPECT_EQ(judge.rest(), romaji);
            for (std::size_t i = 0; i < romaji.size(); ++i) {
                const char wrong = romaji[i] == 'H' ? 'S' : 'H';
                EXPECT_FALSE(judge.type(wrong)) << i;
                ASSERT_TRUE(judge.type(i % 2 ? romaji[i] : char(romaji[i] - 'A' + 'a'))) << i;
                EXPECT_EQ(judge.rest(), romaji.substr(i + 1));
            }
            EXPECT_TRUE(judge.done());
            EXPECT_FALSE(judge.type('A'));
        }
    }
    judge.start("し", SpellingRule::Table);
    EXPECT_TRUE(judge.type('S'));
    EXPECT_FALSE(judge.type('H')) << "SH for the table's SI";
}

// Per key typed: "." taken, "+" refused though an input method would take
// it, "-" refused by every spelling. The "+" keys are what makes the game
// offer the other spellings.
TEST(SpellingJudge, TellsWhichRefusedKeysAnInputMethodWouldTake) {
    struct Case {
        SpellingRule rule;
        const char *kana, *keys, *told;
    };
    constexpr SpellingRule T = SpellingRule::Table;
    const Case cases[] = {
        {T, "し", "SHI", ".+."},
        {T, "つ", "TSU", ".+."},
        {T, "ち", "CHI", "+--"},
        {T, "ふ", "FU", "+-"},
        {T, "じ", "JI", "+-"},
        {T, "しゃ", "SHA", ".+-"},
        {T, "かった", "KALTU", "..+.-"},
        // A single N: before a consonant an input method takes it, before a
        // vowel it would read as な.
        {T, "かんき", "KANKI", "...+-"},
        {T, "かんい", "KANI", "...-"},
        {T, "みかん。", "MIKAN.", ".....+"},
        {T, "てぃ", "T'I", ".+-"},
        {T, "くぅ", "QWU", "+--"},
        {T, "し", "XQ1", "---"},
        {T, "し", "SI", ".."},
        {T, "し", "SIH", "..-"},
        {SpellingRule::Any, "し", "SHX", "..-"},
    };
    for (const Case &c : cases) {
        SpellingJudge judge;
        judge.start(c.kana, c.rule);
        std::string told;
        for (const char *k = c.keys; *k; ++k)
            told += judge.type(*k) ? '.' : judge.anySpellingTakes(*k) ? '+' : '-';
        EXPECT_EQ(told, c.told) << c.kana << " " << c.keys;
    }
}

TEST(SpellingJudge, RestFollowsTheKeysTypedThenThePlayersLastSpellings) {
    const SpellingChoices none;
    const SpellingChoices mine{{"し", "SHI"}, {"ん", "N"}, {"っ", ""}, {"ちゃ", "CHA"}};
    const SpellingChoices alone{{"っ", "XTU"}};
    struct Case {
        const char *kana;
        const SpellingChoices *choices;
        SpellingRule rule;
        const char *typed, *rest, *current;
    };
    const auto any = SpellingRule::Any, table = SpellingRule::Table;
    const Case cases[] = {
        {"しかく", &none, any, "", "SIKAKU", "し"},
        {"しかく", &none, any, "SH", "IKAKU", "し"},
        {"しかく", &mine, any, "", "SHIKAKU", "し"},
        {"しかく", &mine, any, "S", "HIKAKU", "し"},
        {"しかく", &mine, any, "SI", "KAKU", "か"},
        {"しかく", &mine, table, "", "SIKAKU", "し"},
        {"ちゃ", &none, any, "C", "HA", "ちゃ"},
        {"ちゃ", &none, any, "CY", "A", "ちゃ"},
        {"ちゃ", &none, any, "CHI", "XYA", "ゃ"},
        {"かんき", &mine, any, "", "KANKI", "か"},
        {"かんき", &none, any, "KAN", "NKI", "ん"},
        {"かんき", &mine, any, "KAN", "KI", "き"},
        {"かんい", &mine, any, "", "KANNI", "か"}, // no single N before a vowel
        {"みかん。", &mine, any, "", "MIKAN.", "み"},
        {"くぅ", &none, any, "", "KUXU", "くぅ"},
        {"くぅ", &none, any, "KW", "U", "くぅ"},
        {"ほん", &mine, any, "HO", "NN", "ん"},
        {"まっちゃ", &mine, any, "", "MACCHA", "ま"},
        {"まっちゃ", &alone, any, "", "MAXTUTYA", "ま"},
        {"まっちゃ", &none, any, "MAC", "CHA", "ちゃ"},
        {"みっつ", &none, any, "MIT", "TU", "つ"},
        {"あっ", &mine, any, "", "AXTU", "あ"},
        {"か", &none, any, "KA", "", ""},
    };
    for (const Case &c : cases) {
        SpellingJudge judge;
        judge.start(c.kana, c.rule, c.choices);
        for (const char *k = c.typed; *k; ++k)
            ASSERT_TRUE(judge.type(*k)) << c.kana << " " << c.typed;
        EXPECT_EQ(judge.rest(), c.rest) << c.kana << " " << c.typed;
        EXPECT_EQ(judge.currentKana(), c.current) << c.kana << " " << c.typed;
    }
}

// The original is started again on other kana, so that a copy still
// leaning on its strings would read them, and then destroyed.
TEST(SpellingJudge, ACopyGoesOnAloneFromWhereTheOriginalStood) {
    for (const SpellingRule rule : {SpellingRule::Table, SpellingRule::Any}) {
        auto original = std::make_unique<SpellingJudge>();
        original->start("きょうはいいてんきです", rule);
        for (char k : std::string_view("KYOUHA"))
            ASSERT_TRUE(original->type(k));
        SpellingJudge copy = *original;
        original->start("ぱぴぷぺぽぱぴぷぺぽぱ", rule);
        original.reset();
        EXPECT_EQ(copy.currentKana(), "い");
        EXPECT_EQ(copy.currentSpan().begin, 12u);
        for (char k : std::string_view("IITENNKIDES"))
            ASSERT_TRUE(copy.type(k)) << k;
        EXPECT_EQ(copy.rest(), "U");
        EXPECT_TRUE(copy.type('U'));
        EXPECT_TRUE(copy.done());
    }
}

TEST(SpellingJudge, FinishedUnitsCarryTheKeysUsedOnceNoOtherReadingIsLeft) {
    using Units = std::vector<std::pair<std::string, std::string>>;
    SpellingJudge judge;
    judge.start("かんきっちゃ", SpellingRule::Any);
    for (char k : std::string_view("KAN"))
        judge.type(k);
    EXPECT_EQ(judge.takeFinished(), (Units{{"か", "KA"}})) << "ん may still be NN";
    for (char k : std::string_view("KICCHA"))
        judge.type(k);
    EXPECT_EQ(judge.takeFinished(),
              (Units{{"ん", "N"}, {"き", "KI"}, {"っ", ""}, {"ちゃ", "CHA"}}));
    EXPECT_EQ(judge.takeFinished(), Units{});
    judge.start("きゅう", SpellingRule::Any);
    for (char k : std::string_view("KILYUWU"))
        judge.type(k);
    EXPECT_EQ(judge.takeFinished(), (Units{{"き", "KI"}, {"ゅ", "LYU"}, {"う", "WU"}}));
}

// libskk's romaji table (Debian's libskk-common), an input method's own data:
// lines such as  "sha": ["", "しゃ" ],  and  "kk": ["k", "っ" ],  for doubling.
struct InputMethodTable {
    std::map<std::string, std::vector<std::string>> spellings; // kana -> keys
    std::string doubled;                                       // letters doubled for っ
};

InputMethodTable readSkkTable() {
    std::ifstream in("/usr/share/libskk/rules/default/rom-kana/default.json");
    const std::regex line(R"re(^\s*"([a-z'\-]+)":\s*\["([a-z]?)",\s*"([^"]+)")re");
    InputMethodTable table;
    std::smatch m;
    for (std::string text; std::getline(in, text);) {
        if (!std::regex_search(text, m, line))
            continue;
        std::string keys = m[1], kana = m[3];
        for (char &c : keys)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (m[2].length() > 0)
            table.doubled += keys[0];
        else
            table.spellings[kana.starts_with("う゛") ? "ゔ" + kana.substr(6) : kana].push_back(
                keys);
    }
    // libskk types the punctuation marks by a setting of its own, not the table.
    table.spellings["、"] = {","};
    table.spellings["。"] = {"."};
    return table;
}

bool isConsonant(char c, std::string_view excluded) {
    return c >= 'A' && c <= 'Z' && std::string_view("AIUEO").find(c) == std::string_view::npos &&
           excluded.find(c) == std::string_view::npos;
}

// A random spelling of `kana` made only of the input method's spellings, with
// contracted sounds sometimes split, and its rules for ん and っ.
std::string randomSpelling(const InputMethodTable &im, std::string_view kana, std::mt19937 &rng) {
    std::vector<std::string> pieces, units = kanaUnits(kana);
    const auto pick = [&](const std::string &unit) {
        const auto &all = im.spellings.at(unit);
        return all[std::uniform_int_distribution<std::size_t>(0, all.size() - 1)(rng)];
    };
    for (const std::string &unit : units) {
        if (unit.size() == 6 && rng() % 3 == 0)
            pieces.push_back(pick(unit.substr(0, 3)) + pick(unit.substr(3)));
        else if (unit == "ん" || unit == "っ")
            pieces.emplace_back();
        else
            pieces.push_back(pick(unit));
    }
    for (std::size_t i = units.size(); i-- > 0;) {
        const std::string_view next =
            i + 1 < pieces.size() ? std::string_view(pieces[i + 1]) : std::string_view();
        if (units[i] == "ん")
            pieces[i] = !next.empty() && isConsonant(next[0], "NY") && rng() % 2 ? "N"
                        : rng() % 2                                              ? "NN"
                                                                                 : "N'";
        else if (units[i] == "っ")
            pieces[i] = !next.empty() && im.doubled.find(next[0]) != std::string::npos &&
                                isConsonant(next[0], "N") && rng() % 3
                            ? std::string(1, next[0])
                            : pick("っ");
    }
    std::string keys;
    for (const std::string &piece : pieces)
        keys += piece;
    return keys;
}

TEST(SpellingJudge, RandomInputMethodSpellingsOfRandomPhrasesAreTakenWithoutAMiss) {
    const InputMethodTable im = readSkkTable();
    ASSERT_GT(im.spellings.size(), 150u) << "libskk-common's table is missing";
    std::vector<std::string> phrases = {
        "ふぁいと", "てぃーかっぷ", "ゔぁいおりん", "じぇっと、うぃすきー。",
        "ちぇっく", "でゅえっと",   "きゃんぷ",     "しんや"};
    for (const Phrase &row : PhraseTable) {
        phrases.push_back(entryKana(row.proverbRomaji));
        phrases.push_back(entryKana(row.wordRomaji));
    }
    std::mt19937 rng(26);
    SpellingJudge judge;
    for (int round = 0; round < 3000; ++round) {
        const std::string &kana = phrases[rng() % phrases.size()];
        const std::string keys = randomSpelling(im, kana, rng);
        SCOPED_TRACE(kana + " " + keys);
        judge.start(kana, SpellingRule::Any);
        for (char k : keys)
            ASSERT_TRUE(judge.type(rng() % 2 ? char(std::tolower(k)) : k)) << k;
        ASSERT_TRUE(judge.done());
    }
}

} // namespace
} // namespace zem::test
