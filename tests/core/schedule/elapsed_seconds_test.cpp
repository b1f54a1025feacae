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

}  // namespace
}  // namespace tavrin
