#include <gtest/gtest.h>

#include <limits>

#include "schedule/format_span.h"

namespace tavrin {
namespace {

TEST(FormatSpan, ZeroPartsAreLeftOutAndHoursNeverFoldIntoDays) {
    struct Case {
        std::int32_t days, seconds;
        const char* text;
    };
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    for (const Case& c : {Case{0, 3725, "1小时 2分 5秒"}, Case{2, 0, "2天"}, Case{1, 59, "1天 59秒"}, Case{0, 60, "1分"},
                          Case{0, 90000, "25小时"}, Case{0, 0, ""}, Case{0, -30, ""}, Case{0, -3725, ""},
                          Case{-1, 61, "1分 1秒"}, Case{3, 3600, "3天 1小时"}, Case{0, kMax, "596523小时 14分 7秒"},
                          Case{kMin, kMin, ""}})
        EXPECT_EQ(FormatSpan(c.days, c.seconds), c.text) << "case: " << c.days << " days, " << c.seconds << " s";
}

}  // namespace
}  // namespace tavrin
