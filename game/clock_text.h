#pragma once

#include <cstdint>
#include <string>

namespace zem {

// Whole seconds from `startMs` to `nowMs`, two monotonic readings in
// milliseconds, kept to their low 16 bits (a game of 65536 s shows 0 again).
std::uint16_t elapsedSeconds(std::int64_t startMs, std::int64_t nowMs);

// "M分S秒" without leading zeros; minutes go on past 59 (3725 -> "62分5秒").
std::string clockText(std::uint16_t seconds);

} // namespace zem
