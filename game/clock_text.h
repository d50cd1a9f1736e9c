#pragma once

#include <cstdint>
#include <string>

namespace zem {

// Whole seconds from `start` to `now`, both local times of day in days, kept
// to 16 bits. A game that crosses midnight counts on past it: a negative
// difference means the day has turned.
std::uint16_t elapsedSeconds(double start, double now);

// "M分S秒" without leading zeros; minutes go on past 59 (3725 -> "62分5秒").
std::string clockText(std::uint16_t seconds);

} // namespace zem
