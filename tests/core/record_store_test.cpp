#include "records/number.h"
#include "records/record_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace zem {
namespace {

using namespace std::string_literals;

struct BreakCase {
    const char *name;
    std::string file;
    std::vector<std::string> lines;
    std::string written;
};

void PrintTo(const BreakCase &c, std::ostream *os) {
    *os << c.name;
}

class LineBreaks : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaks, SplitIntoLinesAndWriteBackWithCrLf) {
    RecordStore store;
    store.load(GetParam().file);
    ASSERT_EQ(store.lineCount(), int(GetParam().lines.size()));
    for (int n = 0; n < store.lineCount(); ++n)
        EXPECT_EQ(store.get(n), GetParam().lines[std::size_t(n)]) << "line " << n;
    EXPECT_EQ(store.wholeText(), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LineBreaks,
    testing::Values(BreakCase{"CrLf", "1\r\n2\r\n", {"1", "2"}, "1\r\n2\r\n"},
                    BreakCase{"LfOnly", "1\n2\n", {"1", "2"}, "1\r\n2\r\n"},
                    BreakCase{"CrOnly", "1\r2\r", {"1", "2"}, "1\r\n2\r\n"},
                    BreakCase{"LfThenCrIsTwoBreaks", "1\n\r2", {"1", "", "2"}, "1\r\n\r\n2"},
                    BreakCase{"NoFinalBreakGetsNone", "1\r\n2", {"1", "2"}, "1\r\n2"},
                    BreakCase{"BlankLinesKept", "\r\n\n\r", {"", "", ""}, "\r\n\r\n\r\n"},
                    BreakCase{"Empty", "", {}, ""}, BreakCase{"OnlyABreak", "\n", {""}, "\r\n"},
                    BreakCase{"BytesKept",
                              " 8\x82\xa0\t\0x\nz"s,
                              {" 8\x82\xa0\t\0x"s, "z"},
                              " 8\x82\xa0\t\0x\r\nz"s}),
    [](const testing::TestParamInfo<BreakCase> &info) { return info.param.name; });

TEST(RecordStore, ReadsEmptyBeforeALoadAndAfterAClear) {
    RecordStore store;
    EXPECT_EQ(store.get(0), "");
    store.put(0, "9");
    EXPECT_EQ(store.wholeText(), "");
    store.load("5\r\n");
    store.clear();
    EXPECT_EQ(store.get(0), "");
    EXPECT_EQ(store.wholeText(), "");
}

TEST(RecordStore, PutReplacesOneLineAndIgnoresLinesThatAreNotThere) {
    RecordStore store;
    store.load("0\n0\r0");
    store.put(1, "123.4");
    store.put(3, "7");
    store.put(-1, "7");
    EXPECT_EQ(store.get(3), "");
    EXPECT_EQ(store.get(-1), "");
    EXPECT_EQ(store.wholeText(), "0\r\n123.4\r\n0");
}

TEST(RecordStore, KeepsLinesPastTheFortiethAndNeverSplitsALongLine) {
    std::string file;
    for (int i = 0; i < 40; ++i)
        file += "0\r\n";
    const std::string tail = "extra \x93\xfa\x96\x7b" + std::string(3000, '9');
    file += tail + "\n\x81\r\n";
    RecordStore store;
    store.load(file);
    EXPECT_EQ(store.lineCount(), 42);
    EXPECT_EQ(store.get(40), tail);
    store.put(39, "1");
    EXPECT_EQ(store.wholeText().substr(39 * 3), "1\r\n" + tail + "\r\n\x81\r\n");
}

struct NumberCase {
    const char *name;
    std::string text;
    std::optional<double> value;
};

void PrintTo(const NumberCase &c, std::ostream *os) {
    *os << c.name;
}

class NumberGrammar : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberGrammar, ReadsOnlyDecimalNumbers) {
    const std::optional<double> got = parseNumber(GetParam().text);
    ASSERT_EQ(got.has_value(), GetParam().value.has_value()) << '"' << GetParam().text << '"';
    if (got) {
        EXPECT_EQ(*got, *GetParam().value) << '"' << GetParam().text << '"';
    }
}

const double kInf = HUGE_VAL;

INSTANTIATE_TEST_SUITE_P(
    Lines, NumberGrammar,
    testing::Values(
        NumberCase{"Integer", "250", 250}, NumberCase{"Fraction", "127.7", 127.7},
        NumberCase{"SpacesAround", " 85 ", 85}, NumberCase{"ManySpaces", "   1.5    ", 1.5},
        NumberCase{"Plus", "+3", 3}, NumberCase{"Minus", "-0.5", -0.5},
        NumberCase{"PointFirst", ".25", 0.25}, NumberCase{"PointLast", "4.", 4},
        NumberCase{"PointAlone", ".", 0}, NumberCase{"SignedPoint", "-.", 0},
        NumberCase{"Exponent", "1.5E2", 150}, NumberCase{"SmallExponent", "25e-1", 2.5},
        NumberCase{"SignedExponent", "1e+3", 1000}, NumberCase{"PointExponent", ".e5", 0},
        NumberCase{"LeadingZeros", "007", 7}, NumberCase{"Denormal", "1e-320", 1e-320},
        NumberCase{"Overflow", "1e400", kInf}, NumberCase{"NegativeOverflow", "-1e400", -kInf},
        NumberCase{"Underflow", "1e-400", 0},
        NumberCase{"UnderflowHiddenInZeros", "0.000001e-320", 0},
        NumberCase{"OverflowDespiteMinusExponent", "1" + std::string(400, '0') + "e-50", kInf},
        NumberCase{"UnderflowDespitePlusExponent", "0." + std::string(400, '0') + "1e50", 0},
        NumberCase{"HugeExponent", "1e99999999999999999999999", kInf},
        NumberCase{"TinyExponent", "5e-99999999999999999999999", 0},
        NumberCase{"ZeroWithHugeExponent", "0e99999999999999999999999", 0},
        NumberCase{"Empty", "", std::nullopt}, NumberCase{"Spaces", "   ", std::nullopt},
        NumberCase{"SignAlone", "+", std::nullopt}, NumberCase{"TwoSigns", "+-1", std::nullopt},
        NumberCase{"ExponentAlone", "e5", std::nullopt},
        NumberCase{"ExponentWithoutDigits", "1e", std::nullopt},
        NumberCase{"ExponentSignWithoutDigits", "1e+", std::nullopt},
        NumberCase{"SpaceAfterSign", "- 1", std::nullopt},
        NumberCase{"SpaceInside", "1 2", std::nullopt}, NumberCase{"Comma", "1,5", std::nullopt},
        NumberCase{"Tab", "\t1", std::nullopt}, NumberCase{"TrailingCr", "1\r", std::nullopt},
        NumberCase{"Letters", "abc", std::nullopt}, NumberCase{"Hex", "0x10", std::nullopt},
        NumberCase{"Infinity", "inf", std::nullopt}, NumberCase{"NaN", "nan", std::nullopt},
        NumberCase{"TwoPoints", "1.2.3", std::nullopt},
        NumberCase{"FullWidthDigit", "\x82\x50", std::nullopt}),
    [](const testing::TestParamInfo<NumberCase> &info) { return info.param.name; });

} // namespace
} // namespace zem
