#pragma once

#include <cstdint>
#include <string>

namespace zem {

// The game's variables, alive for the whole run. Flags hold 0 or 1.
struct GameState {
    std::string TargetRomaji;  // the rest of the spelling being typed, as the romaji line shows it
    std::string TargetDisplay; // written form shown in the bubble
    std::string TargetKana;    // the phrase's reading, in hiragana, that the judge follows
    std::string WordRomaji;
    std::string WordDisplay;
    std::int32_t CourseLength = 100;
    std::int32_t StrokeCount = 0;
    std::int32_t MissCount = 0;
    std::int32_t ClockRunning = 0;
    std::int32_t Halted = 0;
    double StartTime = 0.0; // local time of day at START, in days
    // The monotonic clock at START, in milliseconds: the game clock counts from it.
    std::int64_t StartMonotonicMs = 0;
    std::uint16_t ElapsedSeconds = 0; // whole seconds up to the last tick
    std::uint16_t ClockSeconds = 0;
    double StrokesPerMinute = 0.0;
    std::int32_t NewRecord = 0;
};

} // namespace zem
