#include <gtest/gtest.h>

#include "fakes/fake_date_time_text.h"
#include "schedule/value_as_text.h"

namespace tavrin {
namespace {

using namespace std::chrono;

TEST(ValueAsText, DayZeroIsATimeMidnightADateAnythingElseBothAndAFailureAFixedForm) {
    testing::FakeDateTimeText system;
    struct Case {
        OleDate value;
        const char* text;
        const char* fixed;
    };
    for (const Case& c : {Case{MakeTimeOfDay(20, 0, 5), "20:00:05", "20:00:05"}, Case{kDayZero, "0:00:00", "0:00:00"},
                          Case{MakeDate(year{2026} / 12 / 6), "2026/12/6", "2026-12-06"},
                          Case{MakeDateTime(year{2027} / 1 / 2, hours{8} + seconds{9}), "2027/1/2 8:00:09",
                               "2027-01-02 8:00:09"}}) {
        system.fail = false;
        EXPECT_EQ(ValueAsText(system, c.value), c.text) << "case: " << c.text;
        system.fail = true;
        EXPECT_EQ(ValueAsText(system, c.value), c.fixed) << "case: " << c.text;
    }
}

}  // namespace
}  // namespace tavrin
