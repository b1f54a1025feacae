#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "common/ole_date.h"

namespace tavrin {

// "YY-MM-DD" exactly: ASCII digits, real month and day of that month. The
// year is 2000 + YY: a time server never reports a date before 2000.
std::optional<std::chrono::year_month_day> ReadDateText(std::string_view text);

// "HH:MM:SS" exactly, 00:00:00 to 23:59:59, as a time of day on day zero.
std::optional<OleDate> ReadClockText(std::string_view text);

// The time of day of the value as "HH:MM:SS", 24-hour.
std::string ClockText(OleDate value);

}  // namespace tavrin
