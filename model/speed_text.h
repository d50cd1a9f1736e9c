#pragma once

#include <string>

namespace zem {

// A speed with 4 significant digits, "." as the decimal point and no
// trailing zeros: 127.659574 -> "127.7", 1234.5 -> "1235", 0.0915541 -> "0.09155".
// The fifth digit of the 18-digit decimal expansion rounds half up.
std::string SpeedText(double value);

} // namespace zem
