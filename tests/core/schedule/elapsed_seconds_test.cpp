#include <gtest/gtest.h>

#include "schedule/daily_moment.h"
#include "schedule/elapsed_seconds.h"

namespace tavrin {
namespace {

using std::chrono::milliseconds;

constexpr std::int64_t kWall = 4'000'000'000;  // some second of the wall clock

// Ticks fall just after the wall clock's seconds; the start falls anywhere in
// a second, and the monotonic clock reads up to 16 ms off either way.
TEST(ElapsedSeconds, EachTickOnASecondBoundaryCountsOneWhereverTheStartFell) {
    for (int phase : {0, 1, 450, 985, 999})
        for (int lateness : {0, 15, 600})
            for (int jitter : {-16, 0, 16}) {
                ElapsedSeconds elapsed;
                elapsed.Start(kWall, milliseconds{5'000'000 + phase});
                for (int k = 1; k <= 5; ++k) {
                    elapsed.Tick(kWall + k, milliseconds{5'000'000 + k * 1000 + (k == 1 ? lateness : 0) + jitter});
                    EXPECT_EQ(elapsed.Count(), k)
                        << "case: phase " << phase << ", lateness " << lateness << ", jitter " << jitter;
                }
            }
}

TEST(ElapsedSeconds, LateTicksCatchUpAndExtraTicksCountNothing) {
    ElapsedSeconds elapsed;
    elapsed.Start(kWall, milliseconds{0});
    elapsed.Tick(kWall + 1, milliseconds{1000});
    elapsed.Tick(kWall + 1, milliseconds{1100});  // a second tick within the same second
    EXPECT_EQ(elapsed.Count(), 1);
    elapsed.Tick(kWall + 3602, milliseconds{3'602'000});  // back from an hour's sleep
    EXPECT_EQ(elapsed.Count(), 3602);
    elapsed.Start(kWall, milliseconds{9'000'000});
    EXPECT_EQ(elapsed.Count(), 0);
}

TEST(ElapsedSeconds, ASetWallClockCountsOnlyTheMeasuredTime) {
    struct Case {
        std::int64_t wallStep;
        std::int64_t measuredMs;
        std::int64_t counted;
    };
    for (const Case& c : {Case{-3599, 1000, 1}, Case{86401, 1000, 1}, Case{4, 1000, 1}, Case{-1, 1010, 1},
                          Case{3600, 2000, 2}, Case{-86400, 3'600'000, 3600}}) {
        ElapsedSeconds elapsed;
        elapsed.Start(kWall, milliseconds{0});
        elapsed.Tick(kWall + c.wallStep, milliseconds{c.measuredMs});
        EXPECT_EQ(elapsed.Count(), c.counted) << "case: wall " << c.wallStep << " s, measured " << c.measuredMs;
    }
}

TEST(DailyMoment, PassedOnlyWhenTheClockMovesForwardOverIt) {
    constexpr std::int64_t kDay = 86400, kTen = 10 * 3600;
    struct Case {
        std::int64_t from, to;
        bool passes;
    };
    for (const Case& c : {Case{kTen - 1, kTen, true}, Case{kTen, kTen + 1, false}, Case{kTen - 5, kTen - 1, false},
                          Case{kTen - 1, kTen + 3600, true}, Case{kTen + 1, kTen + 2 * kDay, true},
                          Case{kTen + 1, kTen + kDay - 1, false}, Case{kTen + 1, kTen + kDay, true},
                          Case{kDay - 1, kDay + kTen, true}, Case{kTen + 60, kTen - 60, false}})
        EXPECT_EQ(PassesTimeOfDay(c.from, c.to, kTen), c.passes) << "case: " << c.from << " to " << c.to;
    EXPECT_EQ(SecondsToTimeOfDay(kTen + 1, kTen), kDay - 1);
    EXPECT_EQ(SecondsToTimeOfDay(3 * kDay + kTen - 90, kTen), 90);
}

}  // namespace
}  // namespace tavrin
