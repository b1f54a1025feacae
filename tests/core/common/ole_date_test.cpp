#include "common/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavrin {
namespace {

using namespace std::chrono;

// Before day zero the integer part counts back while the fraction runs forward.
TEST(OleDate, KnownValuesMatchTheCalendarAndSplitIntoDateAndTime) {
    struct Case {
        double value;
        year_month_day date;
        int h, m, s;
    };
    const Case cases[] = {
        {0.0, year{1899} / 12 / 30, 0, 0, 0},           {1.0, year{1899} / 12 / 31, 0, 0, 0},
        {2.0 + 1.0 / 48, year{1900} / 1 / 1, 0, 30, 0}, {-1.25, year{1899} / 12 / 29, 6, 0, 0},
        {46362.75, year{2026} / 12 / 6, 18, 0, 0},      {2958465.999988426, year{9999} / 12 / 31, 23, 59, 59},
    };
    for (const Case& c : cases) {
        const seconds time = hours{c.h} + minutes{c.m} + seconds{c.s};
        const CivilDateTime civil = ToCivil(OleDate{c.value});
        EXPECT_EQ(civil.date, c.date) << "case: " << c.value;
        EXPECT_EQ(civil.time.to_duration(), time) << "case: " << c.value;
        EXPECT_DOUBLE_EQ(MakeDateTime(c.date, time).value, c.value) << "case: " << c.value;
        EXPECT_EQ(DatePart(OleDate{c.value}), MakeDate(c.date)) << "case: " << c.value;
        EXPECT_EQ(TimePart(OleDate{c.value}), MakeTimeOfDay(c.h, c.m, c.s)) << "case: " << c.value;
    }
}

// A time picked on screen and stored as a double is rarely exact; values no
// calendar can carry count as day zero.
TEST(OleDate, SecondsRoundRoundTripAndValuesNoCalendarCanCarryCountAsDayZero) {
    EXPECT_EQ(ToSeconds(OleDate{0.5 - 0.4 / 86400}), 43200);
    const OleDate almostMidnight{46362.0 + 86399.6 / 86400};
    EXPECT_EQ(ToCivil(almostMidnight).date, year{2026} / 12 / 7);
    EXPECT_EQ(TimePart(almostMidnight), kDayZero);
    for (std::int64_t s : {-86401LL, -86400LL, -1LL, 0LL, 1LL, 86399LL, 86400LL, 4005613800LL})
        EXPECT_EQ(ToSeconds(FromSeconds(s)), s) << "case: " << s;
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), 1e300, -1e300, 2958466.0, -657435.5}) {
        EXPECT_EQ(ToSeconds(OleDate{bad}), 0) << "case: " << bad;
        EXPECT_EQ(ToCivil(OleDate{bad}).date, year{1899} / 12 / 30) << "case: " << bad;
    }
}

}  // namespace
}  // namespace tavrin
