#pragma once
#include <cstdio>

#include "ports/date_time_text.h"

namespace tavrin::testing {

// Writes dates and times as a Chinese system does ("2026/12/6", "20:00:05"),
// or fails on request.
class FakeDateTimeText final : public DateTimeText {
public:
    std::optional<std::string> ShortDate(OleDate day) const override {
        if (fail) return std::nullopt;
        const auto d = ToCivil(day).date;
        char text[32];
        std::snprintf(text, sizeof text, "%d/%u/%u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
                      static_cast<unsigned>(d.day()));
        return text;
    }
    std::optional<std::string> TimeOfDay(OleDate time) const override {
        if (fail) return std::nullopt;
        const auto t = ToCivil(time).time;
        char text[32];
        std::snprintf(text, sizeof text, "%d:%02d:%02d", static_cast<int>(t.hours().count()),
                      static_cast<int>(t.minutes().count()), static_cast<int>(t.seconds().count()));
        return text;
    }
    bool fail = false;
};

}  // namespace tavrin::testing
