#include <gtest/gtest.h>

#include <string>

#include "timesync/daytime_reply.h"

namespace tavrin {
namespace {

using namespace std::chrono;

// The line as the NIST servers write it, up to its end.
constexpr std::string_view kNist = "\n61014 26-12-05 23:59:58 00 0 0 123.4 UTC(NIST) * ";

TEST(DaytimeLine, AcceptsOnlyRealFieldsAndAHealthyServer) {
    const std::string base(kNist);
    const struct {
        std::string line;
        bool accepted;
    } cases[] = {
        {base.substr(0, 24), true},                                        // just the fields
        {base.substr(0, 23), false},          {base.substr(0, 30), true},  // too short to carry the health digit
        {base.substr(0, 30) + " ", false},    {"\n61014 28-02-29 00:00:00", true},
        {"\n61014 26-02-29 00:00:00", false}, {"\n61014 26-00-10 00:00:00", false},
        {"\n61014 26-12-00 00:00:00", false}, {"\n61014 26-12-05 23:59:60", false},  // a leap second cannot be set
        {"\n61014 +6-12-05 23:59:58", false}, {"\n61014 26-12-05 -3:59:58", false},
        {"\n61014 26/12/05 23:59:58", false}, {"\n61014 26-12-05 23:5x:58", false},
        {"\n61014 26-13-05 23:59:58", false}, {"\n61014 26-12-05 24:00:00", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadDaytimeLine(c.line).has_value(), c.accepted) << "case: " << c.line;
    EXPECT_EQ(ReadDaytimeLine(kNist), MakeDateTime(2026y / 12 / 5, 23h + 59min + 58s));
    // Two-digit years are this century's: a server in 2030 must not set 1930.
    EXPECT_EQ(ReadDaytimeLine("\n61014 30-06-15 10:00:00"), MakeDateTime(2030y / 6 / 15, 10h));
}

}  // namespace
}  // namespace tavrin
