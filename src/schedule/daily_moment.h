#pragma once
#include <cstdint>

namespace tavrin {

class Clock;

// The first UTC moment at or after `utcFrom` at which the local clock shows
// `timeOfDay` (seconds since midnight). A time of day that a change to
// daylight saving skips comes at the first moment after the gap; one that a
// change back shows twice counts at its first showing only.
std::int64_t NextDailyMoment(const Clock& clock, std::int64_t utcFrom, std::int64_t timeOfDay);

// When the local clock first shows `local` (seconds since day zero, local
// time); a skipped time comes at the first moment after the gap.
std::int64_t FirstShowing(const Clock& clock, std::int64_t local);

// The local day (days since day zero) that a UTC moment falls on.
std::int64_t LocalDay(const Clock& clock, std::int64_t utc);

}  // namespace tavrin
