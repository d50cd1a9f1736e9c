#pragma once

#include <cstdint>

namespace zem {

// A moment on the calendar: seconds since the Unix epoch, and the offset of
// local time from UTC at that moment.
struct WallTime {
    std::int64_t unixSeconds = 0;
    std::int32_t utcOffsetSeconds = 0;
};

// Where the game gets the time: the local time of day that START notes, a
// monotonic reading that the game clock counts by, and a UTC reading to seed
// its generator. Tests hand in a clock they move themselves.
class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day as a fraction of a day (0.5 is noon), whole milliseconds.
    virtual double localTimeOfDay() = 0;
    // Milliseconds since midnight, UTC.
    virtual std::uint32_t utcMillisecondsOfDay() = 0;
    // Milliseconds from an arbitrary origin, never stepped: time syncs,
    // daylight-saving changes and midnight leave it running evenly.
    virtual std::int64_t monotonicMilliseconds() = 0;
    // Now, with the local offset: when a game ended, for its history.
    virtual WallTime wallTime() = 0;
};

// The machine's clock.
class SystemClock final : public Clock {
public:
    double localTimeOfDay() override;
    std::uint32_t utcMillisecondsOfDay() override;
    std::int64_t monotonicMilliseconds() override;
    WallTime wallTime() override;
};

} // namespace zem
