#include "common/ole_date.h"

#include <cmath>

namespace tavrin {

namespace {

using namespace std::chrono;

// 1899-12-30 counted from the Unix epoch.
constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
constexpr double kFirstDay = -657434.0;  // 0100-01-01
constexpr double kLastDay = 2958466.0;   // 10000-01-01, excluded

}  // namespace

std::int64_t ToSeconds(OleDate d) {
    if (!std::isfinite(d.value) || d.value <= kFirstDay - 1 || d.value >= kLastDay) return 0;
    const double day = std::trunc(d.value);
    const double fraction = std::fabs(d.value - day);
    return static_cast<std::int64_t>(day) * kSecondsPerDay + std::llround(fraction * kSecondsPerDay);
}

OleDate FromSeconds(std::int64_t seconds) {
    const std::int64_t day =
        seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
    const double fraction = static_cast<double>(seconds - day * kSecondsPerDay) / kSecondsPerDay;
    const double whole = static_cast<double>(day);
    return OleDate{day >= 0 ? whole + fraction : whole - fraction};
}

OleDate DatePart(OleDate d) {
    const std::int64_t s = ToSeconds(d);
    return FromSeconds(s - (s % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay);
}

OleDate TimePart(OleDate d) {
    const std::int64_t s = ToSeconds(d);
    return FromSeconds((s % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay);
}

std::int64_t SecondsBetween(OleDate a, OleDate b) { return ToSeconds(b) - ToSeconds(a); }

OleDate MakeDate(year_month_day date) { return MakeDateTime(date, seconds{0}); }

OleDate MakeDateTime(year_month_day date, seconds timeOfDay) {
    const auto days = (sys_days{date} - kEpoch).count();
    return FromSeconds(static_cast<std::int64_t>(days) * kSecondsPerDay + timeOfDay.count());
}

OleDate MakeTimeOfDay(int hours, int minutes, int secs) {
    return FromSeconds(std::int64_t{hours} * 3600 + std::int64_t{minutes} * 60 + secs);
}

CivilDateTime ToCivil(OleDate d) {
    const std::int64_t s = ToSeconds(d);
    const std::int64_t timeOfDay = (s % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
    const std::int64_t day = (s - timeOfDay) / kSecondsPerDay;
    return CivilDateTime{year_month_day{kEpoch + days{day}}, hh_mm_ss<seconds>{seconds{timeOfDay}}};
}

}  // namespace tavrin
