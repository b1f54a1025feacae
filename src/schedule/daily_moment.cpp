#include "schedule/daily_moment.h"

#include "common/ole_date.h"
#include "ports/clock.h"

namespace tavrin {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

// Zones change their offset at most once within a day either side, so the
// offsets a day before and a day after are the only candidates.
std::int64_t FirstShowing(const Clock& clock, std::int64_t local) {
    const std::int64_t before = clock.UtcOffsetAt(local - kSecondsPerDay);
    const std::int64_t after = clock.UtcOffsetAt(local + kSecondsPerDay);
    const std::int64_t early = local - before, late = local - after;
    const bool earlyShows = early + clock.UtcOffsetAt(early) == local;
    const bool lateShows = late + clock.UtcOffsetAt(late) == local;
    if (earlyShows && lateShows) return early < late ? early : late;
    if (earlyShows) return early;
    if (lateShows) return late;
    // Skipped: the gap ends where the offset changes, between the two.
    std::int64_t lo = late < early ? late : early, hi = late < early ? early : late;
    const std::int64_t first = clock.UtcOffsetAt(lo);
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        (clock.UtcOffsetAt(mid) == first ? lo : hi) = mid;
    }
    return hi;
}

std::int64_t LocalDay(const Clock& clock, std::int64_t utc) {
    return FloorDiv(utc + clock.UtcOffsetAt(utc), kSecondsPerDay);
}

std::int64_t NextDailyMoment(const Clock& clock, std::int64_t utcFrom, std::int64_t timeOfDay) {
    const std::int64_t today = LocalDay(clock, utcFrom);
    for (std::int64_t day = today - 1;; ++day) {
        const std::int64_t at = FirstShowing(clock, day * kSecondsPerDay + timeOfDay);
        if (at >= utcFrom) return at;
    }
}

}  // namespace tavrin
