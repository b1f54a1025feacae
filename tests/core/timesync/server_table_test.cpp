#include <gtest/gtest.h>

#include <set>
#include <string>

#include "timesync/server_table.h"

namespace tavrin {
namespace {

TEST(ServerTable, TwelveRowsWithTheirLocationLabels) {
    const char* labels[] = {
        "NIST, Gaithersburg, Maryland",  "NIST, Gaithersburg, Maryland",   "NIST, Boulder, Colorado",
        "NIST, Boulder, Colorado",       "NIST, Boulder, Colorado",        "University of Colorado, Boulder",
        "NCAR, Boulder, Colorado",       "Microsoft, Redmond, Washington", "Datum, San Jose, California",
        "Abovnet, Virginia",             "Abovnet, New York City",         "Abovnet, San Jose, California",
    };
    for (std::int16_t row = 0; row < 12; ++row) EXPECT_EQ(ServerLocation(row), labels[row]) << "case: " << row;
    for (std::int16_t row : {-1, 12}) EXPECT_EQ(ServerHost(row) + ServerLocation(row), "") << "case: " << row;
}

// Each row its own host, so a hosts file can tell the rows apart; no NTP-only,
// authenticated or UT1 service among them.
TEST(ServerTable, HostsAreDistinctDaytimeServersOfTheNistFamily) {
    std::set<std::string> seen;
    for (std::int16_t row = 0; row < 12; ++row) {
        const std::string host = ServerHost(row);
        EXPECT_TRUE(seen.insert(host).second) << "case: " << host;
        EXPECT_TRUE(host.ends_with(".nist.gov") || host.ends_with(".colorado.edu")) << "case: " << host;
        for (const char* service : {"ntp", "ut1", "time.nist.gov"})
            EXPECT_EQ(host.find(service), std::string::npos) << "case: " << host;
    }
}

}  // namespace
}  // namespace tavrin
