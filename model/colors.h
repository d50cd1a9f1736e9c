#pragma once

#include <cstdint>

namespace zem {

// Colours are 0x00BBGGRR; system colours have the top bit set and are
// resolved by whoever paints them (the presenter maps them to its palette).
using Color = std::uint32_t;

inline constexpr Color clCream = 0x00F0FBFF;
inline constexpr Color clRed = 0x000000FF;
inline constexpr Color clYellow = 0x0000FFFF;
inline constexpr Color clBlack = 0x00000000;
inline constexpr Color clWhite = 0x00FFFFFF;
inline constexpr Color clBlue = 0x00FF0000;
inline constexpr Color clNavy = 0x00800000;
inline constexpr Color clSilver = 0x00C0C0C0;
inline constexpr Color clBtnFace = 0x8000000F;
inline constexpr Color clMenu = 0x80000004;
inline constexpr Color clWindowText = 0x80000008;
inline constexpr Color clBtnHighlight = 0x80000014;
inline constexpr Color clBtnShadow = 0x80000010;
inline constexpr Color clNone = 0x1FFFFFFF;

constexpr bool isSystemColor(Color c) {
    return (c & 0x80000000u) != 0;
}
constexpr int redOf(Color c) {
    return int(c & 0xFF);
}
constexpr int greenOf(Color c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(Color c) {
    return int((c >> 16) & 0xFF);
}

} // namespace zem
