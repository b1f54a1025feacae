#include "timesync/utc_shift.h"

#include <chrono>

#include "timesync/daytime_text.h"

namespace tavrin {

namespace {

// The hour field's leading digits, 0 when there are none.
int LeadingHour(std::string_view timeText) {
    int hour = 0;
    for (char c : timeText.substr(0, 2)) {
        if (c < '0' || c > '9') break;
        hour = hour * 10 + (c - '0');
    }
    return hour;
}

}  // namespace

std::optional<OleDate> ShiftDate(std::string_view dateText, std::string_view timeText, std::int16_t offsetHours) {
    const auto base = ReadDateText(dateText);
    if (!base) return std::nullopt;
    const int hour = LeadingHour(timeText) + offsetHours;
    using std::chrono::days, std::chrono::sys_days, std::chrono::year_month_day;
    const days shift{hour < 0 ? -1 : hour >= 24 ? 1 : 0};
    return MakeDate(year_month_day{sys_days{*base} + shift});
}

std::string ShiftTime(std::string_view timeText, std::int16_t offsetHours) {
    const int hour = ((LeadingHour(timeText) + offsetHours) % 24 + 24) % 24;
    std::string text = std::to_string(hour);
    if (text.size() != 2) text.insert(0, "0");
    const std::string_view rest = timeText.size() > 2 ? timeText.substr(2, 6) : std::string_view();
    return text + std::string(rest);
}

}  // namespace tavrin
