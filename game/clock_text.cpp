#include "game/clock_text.h"

#include <cmath>

namespace zem {

namespace {
constexpr std::int64_t kMillisPerDay = 86'400'000;
}

std::uint16_t elapsedSeconds(double start, double now) {
    // Both readings carry whole milliseconds; counting in milliseconds keeps
    // 47 s from coming out as 46.999... and truncating to 46.
    std::int64_t ms =
        std::llround(now * double(kMillisPerDay)) - std::llround(start * double(kMillisPerDay));
    if (ms < 0)
        ms += kMillisPerDay;
    return std::uint16_t((ms / 1000) & 0xFFFF);
}

std::string clockText(std::uint16_t seconds) {
    return std::to_string(seconds / 60) + "分" + std::to_string(seconds % 60) + "秒";
}

} // namespace zem
