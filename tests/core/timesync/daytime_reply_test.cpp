#include <gtest/gtest.h>

#include <string>

#include "timesync/daytime_reply.h"
#include "timesync/reply_gatherer.h"

namespace tavrin {
namespace {

// The line as the NIST servers write it, up to its end.
constexpr std::string_view kNist = "\n61014 26-12-05 23:59:58 00 0 0 123.4 UTC(NIST) * ";

TEST(DaytimeLine, AcceptsOnlyRealFieldsAndAHealthyServer) {
    const std::string base(kNist);
    const struct {
        std::string line;
        bool accepted;
    } cases[] = {
        {base, true},
        {base.substr(0, 24), true},  // just the fields
        {base.substr(0, 23), false},
        {base.substr(0, 30), true},  // too short to carry the health digit
        {base.substr(0, 30) + "4", false},
        {base.substr(0, 30) + " ", false},
        {"\n61014 28-02-29 00:00:00", true},
        {"\n61014 26-02-29 00:00:00", false},
        {"\n61014 26-04-31 00:00:00", false},
        {"\n61014 26-00-10 00:00:00", false},
        {"\n61014 26-12-00 00:00:00", false},
        {"\n61014 26-12-05 23:60:00", false},
        {"\n61014 26-12-05 23:59:60", false},  // a leap second cannot be set
        {"\n61014 +6-12-05 23:59:58", false},
        {"\n61014 26-12-05 -3:59:58", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadDaytimeLine(c.line).has_value(), c.accepted) << "case: " << c.line;
    const auto stamp = ReadDaytimeLine(kNist);
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->dateText + " " + stamp->timeText, "26-12-05 23:59:58");
}

TEST(ReplyGatherer, TheLineEndsAtTheFirstLineBreakAfterTheLeadingLineFeed) {
    ReplyGatherer reply;
    EXPECT_EQ(reply.Add("\n"), ReplyGatherer::State::Gathering);
    EXPECT_EQ(reply.Add("61014 26-12-05"), ReplyGatherer::State::Gathering);
    EXPECT_EQ(reply.Add(" 23:59:58 00\r\nmore"), ReplyGatherer::State::LineEnded);
    EXPECT_EQ(reply.Line(), "\n61014 26-12-05 23:59:58 00");
}

TEST(ReplyGatherer, KeepsAFewHundredBytesAndReportsAnythingBeyond) {
    ReplyGatherer reply;
    EXPECT_EQ(reply.Add(std::string(ReplyGatherer::kMaxBytes, 'x')), ReplyGatherer::State::Gathering);
    EXPECT_EQ(reply.Add("\n"), ReplyGatherer::State::Overflowed);
    EXPECT_EQ(reply.Line().size(), ReplyGatherer::kMaxBytes);
    // A line that ends in time is used, whatever follows it.
    ReplyGatherer early;
    EXPECT_EQ(early.Add(std::string(kNist) + "\n" + std::string(1 << 20, 'x')), ReplyGatherer::State::LineEnded);
    EXPECT_EQ(early.Line(), kNist);
}

}  // namespace
}  // namespace tavrin
