#pragma once

#include <optional>
#include <string_view>

namespace zem {

// Reads a record line as a number: optional leading spaces, an optional sign,
// digits with an optional "." and fraction (at least one digit), an optional
// exponent ("E" or "e", optional sign, digits), optional trailing spaces and
// nothing else. Returns nothing when the text is not such a number.
std::optional<double> parseNumber(std::string_view text);

} // namespace zem
