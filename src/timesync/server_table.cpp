#include "timesync/server_table.h"

namespace tavrin {

// Every host answers Daytime on TCP 13 with the NIST line (no NTP-only,
// authenticated or UT1 hosts). The labels are the ones users know; rows 6 to
// 11 name sites that no longer run such a server, so they go to live NIST
// hosts instead: row 6 to the University of Colorado's second server in
// Boulder, rows 7 and 8 to NIST's WWV site at Fort Collins, rows 9 and 10 to
// Gaithersburg, row 11 to Fort Collins again.
const std::array<TimeServer, kServerCount> kServerTable{{
    {"time-a-g.nist.gov", "NIST, Gaithersburg, Maryland"},
    {"time-b-g.nist.gov", "NIST, Gaithersburg, Maryland"},
    {"time-a-b.nist.gov", "NIST, Boulder, Colorado"},
    {"time-b-b.nist.gov", "NIST, Boulder, Colorado"},
    {"time-c-b.nist.gov", "NIST, Boulder, Colorado"},
    {"utcnist.colorado.edu", "University of Colorado, Boulder"},
    {"utcnist2.colorado.edu", "NCAR, Boulder, Colorado"},
    {"time-a-wwv.nist.gov", "Microsoft, Redmond, Washington"},
    {"time-b-wwv.nist.gov", "Datum, San Jose, California"},
    {"time-c-g.nist.gov", "Abovnet, Virginia"},
    {"time-e-g.nist.gov", "Abovnet, New York City"},
    {"time-c-wwv.nist.gov", "Abovnet, San Jose, California"},
}};

namespace {

const TimeServer* Row(std::int16_t row) {
    if (row < 0 || static_cast<std::size_t>(row) >= kServerTable.size()) return nullptr;
    return &kServerTable[static_cast<std::size_t>(row)];
}

}  // namespace

std::string ServerHost(std::int16_t row) {
    const TimeServer* server = Row(row);
    return server ? std::string(server->host) : std::string();
}

std::string ServerLocation(std::int16_t row) {
    const TimeServer* server = Row(row);
    return server ? std::string(server->location) : std::string();
}

}  // namespace tavrin
