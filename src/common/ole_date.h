#pragma once
#include <chrono>
#include <cstdint>

namespace tavrin {

// A date-time value as the settings record stores it: days since 1899-12-30
// 00:00 in the integer part, the time of day as the fraction. Before day zero
// the integer part counts backwards while the fraction still runs forward from
// midnight, so -1.25 is 1899-12-29 06:00.
struct OleDate {
    double value = 0.0;
    friend constexpr bool operator==(OleDate, OleDate) = default;
};

inline constexpr OleDate kDayZero{0.0};
inline constexpr std::int64_t kSecondsPerDay = 86400;

// A moment as whole seconds since day zero. Values that no calendar date can
// carry (NaN, infinities, beyond year 9999) count as day zero, so a damaged
// record can never make the arithmetic misbehave.
std::int64_t ToSeconds(OleDate d);
OleDate FromSeconds(std::int64_t seconds);

OleDate DatePart(OleDate d);  // midnight of the same day
OleDate TimePart(OleDate d);  // the time of day on day zero

// b - a, negative when b is earlier.
std::int64_t SecondsBetween(OleDate a, OleDate b);

OleDate MakeDate(std::chrono::year_month_day date);
OleDate MakeDateTime(std::chrono::year_month_day date, std::chrono::seconds timeOfDay);
OleDate MakeTimeOfDay(int hours, int minutes, int seconds);

struct CivilDateTime {
    std::chrono::year_month_day date;
    std::chrono::hh_mm_ss<std::chrono::seconds> time{std::chrono::seconds{0}};
};
CivilDateTime ToCivil(OleDate d);

}  // namespace tavrin
