#include "common/ole_date.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin {
namespace {

using namespace std::chrono;

// A time picked on screen and stored as a double is rarely exact; values no
// calendar can carry count as day zero.
TEST(OleDate, SecondsRoundRoundTripAndValuesNoCalendarCanCarryCountAsDayZero) {
    const OleDate almostMidnight{46362.0 + 86399.6 / 86400};
    EXPECT_EQ(ToCivil(almostMidnight).date, year{2026} / 12 / 7);
    EXPECT_EQ(TimePart(almostMidnight), kDayZero);
    for (std::int64_t s : {-86401LL, -1LL, 86399LL}) EXPECT_EQ(ToSeconds(FromSeconds(s)), s) << "case: " << s;
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), 2958466.0, -657435.5})
        EXPECT_EQ(ToSeconds(OleDate{bad}), 0) << "case: " << bad;
}

}  // namespace
}  // namespace tavrin
