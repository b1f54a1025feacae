#include <gtest/gtest.h>

#include <limits>

#include "fakes/fake_date_time_text.h"
#include "schedule/elapsed_seconds.h"
#include "schedule/format_span.h"
#include "schedule/value_as_text.h"

namespace tavrin {
namespace {

using namespace std::chrono;

TEST(FormatSpan, ZeroPartsAreLeftOutAndHoursNeverFoldIntoDays) {
    struct Case {
        std::int32_t days, seconds;
        const char* text;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    for (const Case& c :
         {Case{0, 3725, "1小时 2分 5秒"}, Case{2, 0, "2天"}, Case{1, 59, "1天 59秒"}, Case{0, 60, "1分"},
          Case{0, 90000, "25小时"}, Case{0, 0, ""}, Case{0, -30, ""}, Case{0, -3725, ""}, Case{-1, 61, "1分 1秒"},
          Case{3, 3600, "3天 1小时"}, Case{0, kMax, "596523小时 14分 7秒"}, Case{kMin, kMin, ""}})
        EXPECT_EQ(FormatSpan(c.days, c.seconds), c.text) << "case: " << c.days << " days, " << c.seconds << " s";
}

TEST(ValueAsText, DayZeroIsATimeMidnightADateAnythingElseBothAndAFailureAFixedForm) {
    testing::FakeDateTimeText system;
    struct Case {
        OleDate value;
        const char* text;
        const char* fixed;
    };
    for (const Case& c :
         {Case{MakeTimeOfDay(20, 0, 5), "20:00:05", "20:00:05"}, Case{kDayZero, "0:00:00", "0:00:00"},
          Case{MakeDate(year{2026} / 12 / 6), "2026/12/6", "2026-12-06"},
          Case{MakeDateTime(year{2027} / 1 / 2, hours{8} + seconds{9}), "2027/1/2 8:00:09", "2027-01-02 8:00:09"}}) {
        system.fail = false;
        EXPECT_EQ(ValueAsText(system, c.value), c.text) << "case: " << c.text;
        system.fail = true;
        EXPECT_EQ(ValueAsText(system, c.value), c.fixed) << "case: " << c.text;
    }
}

// The countdown's remaining time counts from these. Ticks fall just after the
// wall clock's seconds, the first one perhaps late; the start falls anywhere
// in a second; the monotonic clock reads up to 16 ms off either way. Each
// tick still counts exactly one.
TEST(ElapsedSeconds, EachTickOnASecondBoundaryCountsOneWhereverTheStartFell) {
    const std::int64_t wall = 4'000'000'000;  // some second of the wall clock
    for (int phase : {0, 1, 450, 985, 999})
        for (int firstLate : {0, 15, 600})
            for (int jitter : {-16, 0, 16}) {
                ElapsedSeconds elapsed;
                elapsed.Start(wall, milliseconds{5'000'000 + phase});
                for (int k = 1; k <= 3; ++k) {
                    elapsed.Tick(wall + k, milliseconds{5'000'000 + k * 1000 + (k == 1 ? firstLate : 0) + jitter});
                    EXPECT_EQ(elapsed.Count(), k)
                        << "case: phase " << phase << ", late " << firstLate << ", jitter " << jitter;
                }
            }
}

}  // namespace
}  // namespace tavrin
