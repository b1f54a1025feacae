#include <gtest/gtest.h>

#include "schedule/elapsed_seconds.h"

namespace tavrin {
namespace {

using std::chrono::milliseconds;

constexpr std::int64_t kWall = 4'000'000'000;  // some second of the wall clock

// Ticks fall just after the wall clock's seconds, the first one perhaps late;
// the start falls anywhere in a second; the monotonic clock reads up to 16 ms
// off either way. Each tick still counts exactly one.
TEST(ElapsedSeconds, EachTickOnASecondBoundaryCountsOneWhereverTheStartFell) {
    for (int phase : {0, 1, 450, 985, 999})
        for (int firstLate : {0, 15, 600})
            for (int jitter : {-16, 0, 16}) {
                ElapsedSeconds elapsed;
                elapsed.Start(kWall, milliseconds{5'000'000 + phase});
                for (int k = 1; k <= 3; ++k) {
                    elapsed.Tick(kWall + k, milliseconds{5'000'000 + k * 1000 + (k == 1 ? firstLate : 0) + jitter});
                    EXPECT_EQ(elapsed.Count(), k) << "case: phase " << phase << ", late " << firstLate << ", jitter " << jitter;
                }
            }
}

// What one tick adds: the wall clock's step when the monotonic clock agrees
// with it, the measured time when the wall clock was set in between.
TEST(ElapsedSeconds, ATickCountsTheWallClockUnlessItWasSet) {
    struct Case {
        std::int64_t wallStep, measuredMs, counted;
    };
    for (const Case& c : {Case{0, 100, 0}, Case{2, 2000, 2}, Case{3602, 3'602'000, 3602}, Case{-3599, 1000, 1},
                          Case{86401, 1000, 1}, Case{4, 1000, 1}, Case{-1, 1010, 1}, Case{-86400, 3'600'000, 3600}}) {
        ElapsedSeconds elapsed;
        elapsed.Start(kWall, milliseconds{0});
        elapsed.Tick(kWall + c.wallStep, milliseconds{c.measuredMs});
        EXPECT_EQ(elapsed.Count(), c.counted) << "case: wall " << c.wallStep << " s, measured " << c.measuredMs;
    }
}

}  // namespace
}  // namespace tavrin
