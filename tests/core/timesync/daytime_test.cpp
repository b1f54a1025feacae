#include <gtest/gtest.h>

#include <set>
#include <string>

#include "timesync/daytime_reply.h"
#include "timesync/reply_gatherer.h"
#include "timesync/server_table.h"

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
        {"\n61014 26/12/05 23:59:58", false},
        {"\n61014 26-12-05 23-59-58", false},
        {"\n61014 26-12-05 23:5x:58", false},
        {"\n61014 26-13-05 23:59:58", false},
        {"\n61014 26-12-05 24:00:00", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadDaytimeLine(c.line).has_value(), c.accepted) << "case: " << c.line;
    EXPECT_EQ(ReadDaytimeLine(kNist), MakeDateTime(2026y / 12 / 5, 23h + 59min + 58s));
    // Two-digit years are this century's: a server in 2030 must not set 1930.
    EXPECT_EQ(ReadDaytimeLine("\n61014 30-06-15 10:00:00"), MakeDateTime(2030y / 6 / 15, 10h));
}

// Only the first few hundred bytes are kept; a line that ends in time is
// used whatever follows it.
TEST(ReplyGatherer, TheLineEndsAtTheFirstBreakAfterTheLeadingLineFeedWithinAFewHundredBytes) {
    ReplyGatherer reply;
    EXPECT_EQ(reply.Add("\n"), ReplyGatherer::State::Gathering);
    EXPECT_EQ(reply.Add("61014 26-12-05"), ReplyGatherer::State::Gathering);
    EXPECT_EQ(reply.Add(" 23:59:58 00\r\nmore"), ReplyGatherer::State::LineEnded);
    EXPECT_EQ(reply.Line(), "\n61014 26-12-05 23:59:58 00");
    ReplyGatherer flood;
    EXPECT_EQ(flood.Add(std::string(ReplyGatherer::kMaxBytes, 'x')), ReplyGatherer::State::Gathering);
    EXPECT_EQ(flood.Add("\n"), ReplyGatherer::State::Overflowed);
    EXPECT_EQ(flood.Line().size(), ReplyGatherer::kMaxBytes);
    ReplyGatherer early;
    EXPECT_EQ(early.Add(std::string(kNist) + "\n" + std::string(1 << 20, 'x')), ReplyGatherer::State::LineEnded);
    EXPECT_EQ(early.Line(), kNist);
}

// Each row its own host, so a hosts file can tell the rows apart; no NTP-only,
// authenticated or UT1 service among them.
TEST(ServerTable, TwelveDistinctDaytimeServersOfTheNistFamilyWithTheirLocationLabels) {
    const char* labels[] = {
        "NIST, Gaithersburg, Maryland", "NIST, Gaithersburg, Maryland",
        "NIST, Boulder, Colorado",      "NIST, Boulder, Colorado",
        "NIST, Boulder, Colorado",      "University of Colorado, Boulder",
        "NCAR, Boulder, Colorado",      "Microsoft, Redmond, Washington",
        "Datum, San Jose, California",  "Abovnet, Virginia",
        "Abovnet, New York City",       "Abovnet, San Jose, California",
    };
    std::set<std::string> seen;
    for (std::int16_t row = 0; row < 12; ++row) {
        const std::string host = ServerHost(row);
        EXPECT_EQ(ServerLocation(row), labels[row]) << "case: " << row;
        EXPECT_TRUE(seen.insert(host).second) << "case: " << host;
        EXPECT_TRUE(host.ends_with(".nist.gov") || host.ends_with(".colorado.edu")) << "case: " << host;
        for (const char* service : {"ntp", "ut1", "time.nist.gov"})
            EXPECT_EQ(host.find(service), std::string::npos) << "case: " << host;
    }
    for (std::int16_t row : {-1, 12}) EXPECT_EQ(ServerHost(row) + ServerLocation(row), "") << "case: " << row;
}

}  // namespace
}  // namespace tavrin
