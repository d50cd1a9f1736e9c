#pragma once

#include "model/clock.h"

#include <string>

namespace zem {

// "2026-12-08T21:05:09+09:00": the local date and time with its offset
// from UTC (ISO 8601, as RFC 3339 writes it).
std::string isoLocalTime(WallTime t);

// The local calendar date of a moment: days since 1970-01-01 of its local clock.
std::int64_t localDay(WallTime t);

} // namespace zem
