#include "model/clock.h"

#include <chrono>
#include <ctime>

namespace zem {

namespace {
constexpr std::int64_t kMillisPerDay = 86'400'000;
}

double SystemClock::localTimeOfDay() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    const std::int64_t ms =
        ((local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec) * std::int64_t(1000) + millis;
    return double(ms) / double(kMillisPerDay);
}

std::uint32_t SystemClock::utcMillisecondsOfDay() {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return std::uint32_t(ms % kMillisPerDay);
}

std::int64_t SystemClock::monotonicMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

WallTime SystemClock::wallTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {std::int64_t(now), std::int32_t(local.tm_gmtoff)};
}

} // namespace zem
