#include "game/typed_bytes.h"

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
    EXPECT_EQ(typedBytes(GetParam().typed), GetParam().bytes);
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

} // namespace
} // namespace zem
