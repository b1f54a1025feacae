#include "timesync/daytime_text.h"

#include <array>
#include <cstdio>

namespace tavrin {

namespace {

// Three two-digit numbers joined by the separator, or nothing.
std::optional<std::array<int, 3>> ReadTriple(std::string_view text, char separator) {
    if (text.size() != 8 || text[2] != separator || text[5] != separator) return std::nullopt;
    std::array<int, 3> parts{};
    for (std::size_t i = 0; i < 3; ++i) {
        const char tens = text[i * 3], ones = text[i * 3 + 1];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9') return std::nullopt;
        parts[i] = (tens - '0') * 10 + (ones - '0');
    }
    return parts;
}

}  // namespace

std::optional<std::chrono::year_month_day> ReadDateText(std::string_view text) {
    const auto parts = ReadTriple(text, '-');
    if (!parts) return std::nullopt;
    using namespace std::chrono;
    const year_month_day date{year{2000 + (*parts)[0]}, month{static_cast<unsigned>((*parts)[1])},
                              day{static_cast<unsigned>((*parts)[2])}};
    if (!date.ok()) return std::nullopt;
    return date;
}

std::optional<OleDate> ReadClockText(std::string_view text) {
    const auto parts = ReadTriple(text, ':');
    if (!parts) return std::nullopt;
    const auto [hours, minutes, seconds] = *parts;
    if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
    return MakeTimeOfDay(hours, minutes, seconds);
}

std::string ClockText(OleDate value) {
    const auto time = ToCivil(value).time;
    char text[9];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(time.hours().count()),
                  static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    return text;
}

}  // namespace tavrin
