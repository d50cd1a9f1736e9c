#pragma once

// Places on the window that the handlers move things to, besides the design
// table's own: where the game screen puts the mascot and the romaji line.
namespace zem::layout {

// The corners of the rounded frame around the play area.
inline constexpr int kFrameLeft = 15, kFrameTop = 15, kFrameRight = 485, kFrameBottom = 330;
// The romaji line starts here in word mode and between games, and further
// left for a proverb or a list's phrase, which may be long.
inline constexpr int kWordLineLeft = 75;
inline constexpr int kLongLineLeft = 24;
// The design's romaji line and bubble text, which a long list phrase shrinks.
inline constexpr int kRomajiPx = 39, kRomajiTop = 66;
inline constexpr int kDisplayPx = 16, kDisplayTop = 32;
// With the reading line on, the bubble grows down to hold it under its text,
// still clear of the romaji line. A long reading shrinks from kReadingPx.
inline constexpr int kReadingBubbleHeight = 38, kReadingDisplayTop = 28;
inline constexpr int kReadingPx = 12, kReadingTop = 46;
// The mascot stands lower during a game, below the bubble, than on the
// result screen.
inline constexpr int kMascotPlayTop = 128, kMascotResultTop = 24;
// The room kept between a result line and the mascot beside it.
inline constexpr int kResultGap = 8;

} // namespace zem::layout
