#include "schedule/daily_moment.h"

#include "common/ole_date.h"

namespace tavrin {

std::int64_t SecondsToTimeOfDay(std::int64_t now, std::int64_t timeOfDay) {
    return ((timeOfDay - now) % kSecondsPerDay + kSecondsPerDay) % kSecondsPerDay;
}

bool PassesTimeOfDay(std::int64_t from, std::int64_t to, std::int64_t timeOfDay) {
    return to > from && to - from > SecondsToTimeOfDay(from + 1, timeOfDay);
}

}  // namespace tavrin
