#include "schedule/value_as_text.h"

#include <cstdio>

#include "ports/date_time_text.h"

namespace tavrin {

namespace {

// Used when the system cannot write a value, so a caption never goes blank.
std::string FixedDate(OleDate value) {
    const auto d = ToCivil(value).date;
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                  static_cast<unsigned>(d.day()));
    return text;
}

std::string FixedTime(OleDate value) {
    const auto t = ToCivil(value).time;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(t.hours().count()),
                  static_cast<int>(t.minutes().count()), static_cast<int>(t.seconds().count()));
    return text;
}

}  // namespace

std::string ValueAsText(const DateTimeText& system, OleDate value) {
    const bool onDayZero = DatePart(value) == kDayZero;
    const bool hasTime = TimePart(value) != kDayZero;
    std::string text;
    if (!onDayZero) text = system.ShortDate(value).value_or(FixedDate(value));
    if (onDayZero || hasTime) {
        if (!text.empty()) text += ' ';
        text += system.TimeOfDay(value).value_or(FixedTime(value));
    }
    return text;
}

}  // namespace tavrin
