#include "game/clock_text.h"

namespace zem {

std::uint16_t elapsedSeconds(std::int64_t startMs, std::int64_t nowMs) {
    // A monotonic clock never runs back, so the distance is never negative.
    return std::uint16_t(((nowMs - startMs) / 1000) & 0xFFFF);
}

std::string clockText(std::uint16_t seconds) {
    return std::to_string(seconds / 60) + "分" + std::to_string(seconds % 60) + "秒";
}

} // namespace zem
