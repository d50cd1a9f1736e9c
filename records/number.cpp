#include "records/number.h"

#include <charconv>
#include <cmath>

namespace zem {

namespace {
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

std::optional<double> parseNumber(std::string_view text) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    const std::size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i]))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            ++i;
        std::size_t expDigits = 0;
        while (i < n && isDigit(text[i]))
            ++i, ++expDigits;
        if (expDigits == 0)
            return std::nullopt;
    }
    const std::size_t end = i;
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return std::nullopt;
    // The grammar is checked above; from_chars converts whatever the locale,
    // but takes no "+", so the sign is applied here.
    std::size_t first = start;
    const bool negative = text[first] == '-';
    if (text[first] == '+' || text[first] == '-')
        ++first;
    double value = 0.0;
    auto result = std::from_chars(text.data() + first, text.data() + end, value);
    if (result.ec == std::errc::result_out_of_range)
        value =
            (text.substr(first, end - first).find_first_of("123456789") == std::string_view::npos)
                ? 0.0
                : HUGE_VAL;
    return negative ? -value : value;
}

} // namespace zem
