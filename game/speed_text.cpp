#include "game/speed_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zem {

std::string SpeedText(double value) {
    if (!std::isfinite(value))
        return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
    if (value == 0.0)
        return "0";
    std::string sign = value < 0 ? "-" : "";
    // d.ddddddddddddddddde±x: 18 significant digits.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17e", std::fabs(value));
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 17);
    int exponent = std::atoi(std::strchr(buf, 'e') + 1);

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
