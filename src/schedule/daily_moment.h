#pragma once
#include <cstdint>

namespace tavrin {

class Clock;

// The first UTC moment at or after `utcFrom` at which the local clock shows
// `timeOfDay` (seconds since midnight). A time of day that a change to
// daylight saving skips comes at the first moment after the gap; one that a
// change back shows twice counts at its first showing only.
std::int64_t NextDailyMoment(const Clock& clock, std::int64_t utcFrom, std::int64_t timeOfDay);

}  // namespace tavrin
