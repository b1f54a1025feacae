#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/ole_date.h"

namespace tavrin {

// The local date for a UTC date "YY-MM-DD" and time "HH:MM:SS" at a whole-hour
// offset: the day before or after when the shifted hour leaves the day.
// Nothing when the date is not a real one.
std::optional<OleDate> ShiftDate(std::string_view dateText, std::string_view timeText, std::int16_t offsetHours);

// The local time of day "HH:MM:SS": the hour shifted and wrapped into 0..23,
// minutes and seconds passed through as received.
std::string ShiftTime(std::string_view timeText, std::int16_t offsetHours);

}  // namespace tavrin
