#include "common/ole_date.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tavrin {
namespace {

using namespace std::chrono;

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
