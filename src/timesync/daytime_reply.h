#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

// The two fields of the NIST daytime line that set the clock.
struct DaytimeStamp {
    std::string dateText;  // "YY-MM-DD", UTC
    std::string timeText;  // "HH:MM:SS", UTC
};

// Reads the line by position, counted from 1 with the line feed that precedes
// it: 8-15 the date, 17-24 the time, 31 the health digit. The line runs up to
// its end (CR or LF), without it. Nothing comes back unless both fields are
// real and, where the line is long enough to carry it, the health digit says
// the server is healthy (0).
std::optional<DaytimeStamp> ReadDaytimeLine(std::string_view line);

}  // namespace tavrin
