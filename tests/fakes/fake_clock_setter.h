#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "ports/clock_setter.h"

namespace tavrin::testing {

// Writes down each change as "date 2026-12-06" or "time 07:59:58" and, when
// the change is allowed, moves the fake clock with it.
class FakeClockSetter final : public ClockSetter {
public:
    explicit FakeClockSetter(FakeClock& clock) : clock_(clock) {}

    ClockStatus SetDate(OleDate date) override {
        const auto d = ToCivil(date).date;
        Note("date %04d-%02u-%02u", static_cast<int>(d.year()), static_cast<unsigned>(d.month()),
             static_cast<unsigned>(d.day()));
        if (dateStatus == ClockStatus::Ok) Move(date, clock_.Now());
        return dateStatus;
    }
    ClockStatus SetTimeOfDay(OleDate timeOfDay) override {
        const auto t = ToCivil(timeOfDay).time;
        Note("time %02d:%02d:%02d", static_cast<int>(t.hours().count()), static_cast<int>(t.minutes().count()),
             static_cast<int>(t.seconds().count()));
        if (timeStatus == ClockStatus::Ok) Move(clock_.Now(), timeOfDay);
        return timeStatus;
    }

    std::vector<std::string> calls;
    ClockStatus dateStatus = ClockStatus::Ok;
    ClockStatus timeStatus = ClockStatus::Ok;

private:
    template <class... Args>
    void Note(const char* format, Args... args) {
        char text[32];
        std::snprintf(text, sizeof text, format, args...);
        calls.emplace_back(text);
    }
    void Move(OleDate date, OleDate time) {
        clock_.SetNow(FromSeconds(ToSeconds(DatePart(date)) + ToSeconds(TimePart(time))));
    }
    FakeClock& clock_;
};

}  // namespace tavrin::testing
