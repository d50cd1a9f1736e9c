#include "history/iso_time.h"

#include <cstdio>

namespace zem {

namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

struct Civil {
    std::int64_t year;
    int month, day;
};

// Days since the epoch to a proleptic Gregorian date (H. Hinnant's method).
Civil civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int day = int(doy - (153 * mp + 2) / 5 + 1);
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2), month, day};
}

} // namespace

std::int64_t localDay(WallTime t) {
    return floorDiv(t.unixSeconds + t.utcOffsetSeconds, 86400);
}

std::string isoLocalTime(WallTime t) {
    const std::int64_t local = t.unixSeconds + t.utcOffsetSeconds;
    const std::int64_t days = floorDiv(local, 86400);
    const std::int64_t secondOfDay = local - days * 86400;
    const Civil date = civilFromDays(days);
    const int offset = t.utcOffsetSeconds < 0 ? -t.utcOffsetSeconds : t.utcOffsetSeconds;
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d%c%02d:%02d",
                  static_cast<long long>(date.year), date.month, date.day, int(secondOfDay / 3600),
                  int(secondOfDay / 60 % 60), int(secondOfDay % 60),
                  t.utcOffsetSeconds < 0 ? '-' : '+', offset / 3600, offset / 60 % 60);
    return text;
}

} // namespace zem
