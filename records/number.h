#pragma once

#include <optional>
#include <string_view>

namespace zem {

// Reads a record line as a number: optional leading spaces, an optional sign,
// digits with an optional "." and fraction (at least a digit or the point),
// an optional exponent ("E" or "e", optional sign, digits), optional trailing
// spaces and nothing else. The point alone reads as 0; a value beyond the
// range of a double reads as infinity, one below it as 0. Returns nothing
// when the text is not such a number; an empty text is not one.
std::optional<double> parseNumber(std::string_view text);

} // namespace zem
