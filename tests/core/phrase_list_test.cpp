#include "lists/phrase_list.h"

#include <gtest/gtest.h>

namespace zem {

// Read by GoogleTest through the types' own namespace.
void PrintTo(const ListProblem &p, std::ostream *os) {
    *os << p.line << ": " << p.why;
}

void PrintTo(const ListPhrase &p, std::ostream *os) {
    *os << p.display << " / " << p.kana << " / " << p.romaji;
}

namespace {

// Either the phrases a file gives, or (with none) the lines it is refused for.
struct ParseCase {
    const char *name;
    std::string bytes;
    std::vector<ListPhrase> phrases;
    std::vector<ListProblem> problems;
    int more = 0;
};

void PrintTo(const ParseCase &c, std::ostream *os) {
    *os << c.name;
}

ParseCase taken(const char *name, std::string bytes, std::vector<ListPhrase> phrases) {
    return {name, std::move(bytes), std::move(phrases), {}, 0};
}

ParseCase refused(const char *name, std::string bytes, std::vector<ListProblem> problems,
                  int more = 0) {
    return {name, std::move(bytes), {}, std::move(problems), more};
}

class PhraseFile : public testing::TestWithParam<ParseCase> {};

TEST_P(PhraseFile, GivesItsPhrasesOrNamesTheLinesAtFault) {
    const ParseCase &c = GetParam();
    const ListResult result = parsePhraseList(c.bytes, "名前");
    EXPECT_EQ(result.problems, c.problems);
    EXPECT_EQ(result.moreProblems, c.more);
    ASSERT_EQ(result.list.has_value(), c.problems.empty()) << result.message;
    if (result.list) {
        EXPECT_EQ(result.list->name, "名前");
        EXPECT_EQ(result.list->phrases, c.phrases);
        EXPECT_EQ(result.message, "");
    }
}

std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

// A file of one phrase, padded with a comment to exactly `size` bytes.
std::string fileOfSize(std::size_t size) {
    const std::string start = "ねこ\n#";
    return start + std::string(size - start.size(), 'x');
}

const ListPhrase kNeko{"ねこ", "ねこ", "NEKO"};
const ListPhrase kInu{"犬", "いぬ", "INU"};
constexpr const char *kNoText = "テキストファイルではありません (UTF-8 か Shift_JIS で保存します)";

INSTANTIATE_TEST_SUITE_P(
    Lines, PhraseFile,
    testing::Values(
        taken("DisplayAndReading", "日本\tにほん\n", {{"日本", "にほん", "NIHONN"}}),
        taken("KatakanaReadAsHiraganaAndPunctuationTyped", "珈琲です。\tコーヒーです、はい。",
              {{"珈琲です。", "こーひーです、はい。", "KO-HI-DESU,HAI."}}),
        taken("KanaLineIsItsOwnReading", "カメラ\nねこ", {{"カメラ", "かめら", "KAMERA"}, kNeko}),
        taken("CommentsBlanksAndEveryLineEnd", "# 動物\r\n\r\n \t　\rねこ\r犬\tいぬ\r\n#\tx\n",
              {kNeko, kInu}),
        taken("BlanksAtTheEndsOfBothFields", "　犬 \t いぬ　\t", {kInu}),
        taken("BomBeforeAComment", "\xEF\xBB\xBF# 動物\nねこ", {kNeko}),
        taken("ShiftJis", "\x8C\xA2\t\x82\xA2\x82\xCA\r\n\x83\x6C\x83\x52",
              {kInu, {"ネコ", "ねこ", "NEKO"}}),
        taken("LongestDisplay", repeated("字", kMaxDisplayLength) + "\tじ",
              {{repeated("字", kMaxDisplayLength), "じ", "ZI"}}),
        taken("LongestRomaji", "あ\t" + repeated("あ", kMaxRomajiLength),
              {{"あ", repeated("あ", kMaxRomajiLength), std::string(kMaxRomajiLength, 'A')}}),
        taken("MostPhrases", repeated("ねこ\n", kMaxListPhrases),
              std::vector<ListPhrase>(kMaxListPhrases, kNeko)),
        taken("LargestFile", fileOfSize(kMaxListBytes), {kNeko}),
        refused("EmptyReading", "ねこ\n犬\tいぬ\n犬\t \n", {{3, "読みがありません"}}),
        refused("EmptyDisplay", "\tいぬ", {{1, "表示がありません"}}),
        refused("DisplayTooLong", repeated("字", kMaxDisplayLength + 1) + "\tじ",
                {{1, "表示が長すぎます (最大 24 字)"}}),
        refused("RomajiTooLong", "あ\t" + repeated("あ", kMaxRomajiLength + 1),
                {{1, "ローマ字が長すぎます (最大 40 字)"}}),
        refused("UntypableKanaNamedAsWritten", "ねこ\n\nゝ\n犬\tいヽ",
                {{3, "「ゝ」は打てません"}, {4, "「ヽ」は打てません"}}),
        refused("KanjiInTheReading", "日本\tに本",
                {{1, "読みの「本」はひらがなでもカタカナでもありません"}}),
        refused("SpaceInsteadOfTab", "北海道 ほっかいどう",
                {{1, "読みがありません (表示と読みの間にタブを入れます)"}}),
        refused("SpaceInTheReading", "犬\tい ぬ", {{1, "読みに空白があります"}}),
        refused("SecondTab", "犬\tいぬ\tINU", {{1, "タブが 2 つ以上あります"}}),
        refused("ControlCharacters", "犬\x01\tいぬ\n\xC2\x85ねこ",
                {{1, "制御文字があります"}, {2, "制御文字があります"}}),
        refused("FirstFiveListedTheRestCounted", repeated("\tいぬ\n", 7) + "ねこ",
                {{1, "表示がありません"},
                 {2, "表示がありません"},
                 {3, "表示がありません"},
                 {4, "表示がありません"},
                 {5, "表示がありません"}},
                2),
        refused("Empty", "", {{0, "問題がひとつもありません"}}),
        refused("CommentsOnly", "# 動物\n\n", {{0, "問題がひとつもありません"}}),
        refused("NulByte", std::string("ねこ\0", 7), {{0, kNoText}}),
        refused("NeitherEncoding", "ねこ\n\xFF", {{0, kNoText}}),
        refused("BomBeforeShiftJis", "\xEF\xBB\xBF\x82\xA2\x82\xCA", {{0, kNoText}}),
        refused("TooManyPhrases", repeated("ねこ\n", kMaxListPhrases + 1),
                {{0, "問題が多すぎます (最大 10,000 行)"}}),
        refused("TooLarge", fileOfSize(kMaxListBytes + 1),
                {{0, "ファイルが大きすぎます (最大 1 MB)"}})),
    [](const testing::TestParamInfo<ParseCase> &info) { return info.param.name; });

TEST(PhraseFileMessage, NamesTheListThenEachLineAtFaultThenHowManyMore) {
    const ListResult result =
        parsePhraseList("犬\t\n" + repeated("ねこ\n", 9) + repeated("\tいぬ\n", 6), "動物");
    EXPECT_EQ(result.message, "問題ファイル「動物」は使えません。\n"
                              "1行目: 読みがありません\n"
                              "11行目: 表示がありません\n"
                              "12行目: 表示がありません\n"
                              "13行目: 表示がありません\n"
                              "14行目: 表示がありません\n"
                              "ほか 2 行");
    EXPECT_EQ(parsePhraseList("", "動物").message,
              "問題ファイル「動物」は使えません。\n問題がひとつもありません");
}

} // namespace
} // namespace zem
