#include "model/speed_text.h"

#include <gtest/gtest.h>

namespace zem {
namespace {

struct SpeedCase {
    double value;
    const char *text;
};

class SpeedTextTest : public testing::TestWithParam<SpeedCase> {};

TEST_P(SpeedTextTest, WritesFourSignificantDigits) {
    EXPECT_EQ(SpeedText(GetParam().value), GetParam().text) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Examples, SpeedTextTest,
    testing::Values(SpeedCase{123.456, "123.5"}, SpeedCase{250, "250"},
                    SpeedCase{127.659574, "127.7"}, SpeedCase{857.142857, "857.1"},
                    // Half up on the decimal digits: printf's %.4g says 1234 here.
                    SpeedCase{1234.5, "1235"}, SpeedCase{99.99, "99.99"}, SpeedCase{6000, "6000"},
                    SpeedCase{0.0915541, "0.09155"}, SpeedCase{400, "400"},
                    SpeedCase{100.0 / 47 * 60, "127.7"}, SpeedCase{123.42, "123.4"},
                    SpeedCase{9.99951, "10"}, SpeedCase{999.95, "1000"}, SpeedCase{0, "0"},
                    SpeedCase{0.5, "0.5"}, SpeedCase{1.05, "1.05"}, SpeedCase{12.5, "12.5"},
                    SpeedCase{9999.5, "10000"}, SpeedCase{123456, "123500"}),
    [](const testing::TestParamInfo<SpeedCase> &info) {
        std::string name = std::to_string(info.index) + "_" + info.param.text;
        for (char &c : name)
            if (c == '.')
                c = '_';
        return name;
    });

} // namespace
} // namespace zem
