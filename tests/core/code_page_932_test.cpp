#include "model/code_page_932.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

struct TypedCase {
    const char *name;
    const char *typed; // UTF-8, as the key event's text
    std::string bytes; // what the judge receives
};

void PrintTo(const TypedCase &c, std::ostream *os) {
    *os << c.name;
}

class TypedBytes : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedBytes, ReachTheJudgeAsCodePage932Bytes) {
    EXPECT_EQ(encodeCodePage932(GetParam().typed), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Characters, TypedBytes,
    testing::Values(TypedCase{"Letter", "a", "a"}, TypedCase{"Escape", "\x1b", "\x1b"},
                    TypedCase{"Yen", "¥", "\x5c"}, TypedCase{"Overline", "‾", "\x7e"},
                    TypedCase{"HalfWidthKatakana", "ｱ", "\xb1"},
                    TypedCase{"Hiragana", "あ", "\x82\xa0"}, TypedCase{"Kanji", "漢", "\x8a\xbf"},
                    TypedCase{"EmojiHasNoForm", "😀", "?"},
                    TypedCase{"AccentedLetterHasNoForm", "é", "?"},
                    TypedCase{"InputMethodText", "かa",
                              "\x82\xa9"
                              "a"},
                    TypedCase{"BrokenUtf8ByteByByte", "\xe3\x81", "??"}),
    [](const testing::TestParamInfo<TypedCase> &info) { return info.param.name; });

struct DisplayCase {
    const char *name;
    std::string bytes;
    const char *shown;
};

void PrintTo(const DisplayCase &c, std::ostream *os) {
    *os << c.name;
}

class DisplayText : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayText, ShowsPrintableAsciiAsItIsAndDecodesCodePage932) {
    EXPECT_EQ(showCodePage932(GetParam().bytes), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DisplayText,
    testing::Values(DisplayCase{"Ascii", " 85 \\~", " 85 \\~"},
                    DisplayCase{"Kanji", "\x93\xfa\x96\x7b", "日本"},
                    DisplayCase{"SecondByteLooksLikeBackslash", "\x95\x5c", "表"},
                    DisplayCase{"HalfWidthKana", "\xb1\xdd", "ｱﾝ"},
                    DisplayCase{"VendorCharacter", "\x87\x40", "①"},
                    DisplayCase{"WaveDashAsCodePage932MapsIt", "\x81\x60", "～"},
                    DisplayCase{"MixedWithDigits",
                                "1\x82\xa0"
                                "2",
                                "1あ2"},
                    DisplayCase{"LeadByteAtTheEnd", "12\x82", "12\xEF\xBF\xBD"},
                    DisplayCase{"KanaThenLoneLeadByte", "\xb1\x82", "ｱ\xEF\xBF\xBD"},
                    DisplayCase{"LeadByteBeforeASpace", "\x81 1", "\xEF\xBF\xBD 1"},
                    DisplayCase{"ControlBytesShowAndEndNothing", std::string("8\0 5\t\x7f", 6),
                                "8\xEF\xBF\xBD 5\xEF\xBF\xBD\xEF\xBF\xBD"},
                    DisplayCase{"UnusedBytes", "\x80\xa0\xff",
                                "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}),
    [](const testing::TestParamInfo<DisplayCase> &info) { return info.param.name; });

} // namespace
} // namespace zem
