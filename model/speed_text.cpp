#include "model/speed_text.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace zem {

namespace {

// The 18 significant digits of |value| and the decimal exponent of the first.
// to_chars ignores the locale, so the digits never meet a decimal separator of
// another width (printf under ps_AF writes the point as two bytes).
void decimalExpansion(double value, std::string &digits, int &exponent) {
    char buf[40];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 17)
            .ptr;
    const std::string_view text(buf, std::size_t(end - buf));
    const std::size_t mark = text.find('e');
    for (char c : text.substr(0, mark))
        if (c >= '0' && c <= '9')
            digits += c;
    std::string_view power = text.substr(mark + 1);
    if (power.front() == '+')
        power.remove_prefix(1);
    std::from_chars(power.data(), power.data() + power.size(), exponent);
}

} // namespace

std::string SpeedText(double value) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (value == 0.0)
        return "0";
    std::string sign = value < 0 ? "-" : "";
    std::string digits;
    int exponent = 0;
    decimalExpansion(value, digits, exponent);

    std::string kept = digits.substr(0, 4);
    if (digits[4] >= '5') {
        int i = 3;
        while (i >= 0 && kept[std::size_t(i)] == '9')
            kept[std::size_t(i--)] = '0';
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            kept.pop_back();
            ++exponent;
        } else {
            ++kept[std::size_t(i)];
        }
    }

    // Place the decimal point: the first kept digit has weight 10^exponent.
    std::string out;
    if (exponent < 0) {
        out = "0." + std::string(std::size_t(-exponent - 1), '0') + kept;
    } else if (exponent >= 3) {
        out = kept + std::string(std::size_t(exponent - 3), '0');
    } else {
        out = kept.substr(0, std::size_t(exponent + 1)) + "." +
              kept.substr(std::size_t(exponent + 1));
    }
    if (out.find('.') != std::string::npos) {
        while (out.back() == '0')
            out.pop_back();
        if (out.back() == '.')
            out.pop_back();
    }
    return sign + out;
}

} // namespace zem
