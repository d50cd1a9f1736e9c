#include "records/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zem {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipWhile(std::string_view text, std::size_t i, bool (*pred)(char)) {
    while (i < text.size() && pred(text[i]))
        ++i;
    return i;
}

bool isSpace(char c) {
    return c == ' ';
}

bool isSign(char c) {
    return c == '+' || c == '-';
}

bool isExponentMark(char c) {
    return c == 'e' || c == 'E';
}

// The decimal exponent of the first significant digit of "digits[.digits]"
// plus `exponent`: 0 for 1.5, 2 for 120, -3 for 0.00123. Only its sign matters,
// so huge exponents may saturate.
long long leadingExponent(std::string_view mantissa, long long exponent) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first < point)
        return exponent + static_cast<long long>(point - first) - 1;
    return exponent - static_cast<long long>(first - point);
}

// A run of exponent digits, kept well inside long long.
long long saturatedExponent(std::string_view digits, bool negative) {
    long long value = 0;
    for (char c : digits)
        value = std::min(value * 10 + (c - '0'), 1'000'000'000LL);
    return negative ? -value : value;
}

// The unsigned value of text already known to fit the grammar. A value too
// large for a double reads as infinity, one too small as zero.
double magnitude(std::string_view mantissa, std::string_view number, long long exponent) {
    if (mantissa.find_first_of("0123456789") == std::string_view::npos)
        return 0.0; // the point alone
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return leadingExponent(mantissa, exponent) >= 0 ? HUGE_VAL : 0.0;
    return value;
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    std::size_t i = skipWhile(text, 0, isSpace);
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && isSign(text[i]))
        ++i;
    const std::size_t start = i;
    i = skipWhile(text, i, isDigit);
    if (i < text.size() && text[i] == '.')
        i = skipWhile(text, i + 1, isDigit);
    if (i == start)
        return std::nullopt;
    const std::string_view mantissa = text.substr(start, i - start);
    long long exponent = 0;
    if (i < text.size() && isExponentMark(text[i])) {
        ++i;
        const bool negativeExponent = i < text.size() && text[i] == '-';
        if (i < text.size() && isSign(text[i]))
            ++i;
        const std::size_t digits = i;
        i = skipWhile(text, i, isDigit);
        if (i == digits)
            return std::nullopt;
        exponent = saturatedExponent(text.substr(digits, i - digits), negativeExponent);
    }
    const std::string_view number = text.substr(start, i - start);
    if (skipWhile(text, i, isSpace) != text.size())
        return std::nullopt;
    const double value = magnitude(mantissa, number, exponent);
    return negative ? -value : value;
}

} // namespace zem
