#pragma once
#include <cstdio>

#include "ports/date_time_text.h"

namespace tavrin::testing {

// Writes dates and times as a Chinese system does ("2026/12/6", "20:00:05").
class FakeDateTimeText final : public DateTimeText {
public:
    std::optional<std::string> ShortDate(OleDate day) const override {
        const auto d = ToCivil(day).date;
        return Print("%d/%u/%u", int(d.year()), unsigned(d.month()), unsigned(d.day()));
    }
    std::optional<std::string> TimeOfDay(OleDate time) const override {
        const auto t = ToCivil(time).time;
        return Print("%d:%02d:%02d", int(t.hours().count()), int(t.minutes().count()), int(t.seconds().count()));
    }

private:
    template <class... T>
    static std::string Print(const char* format, T... values) {
        char text[32];
        std::snprintf(text, sizeof text, format, values...);
        return text;
    }
};

}  // namespace tavrin::testing
