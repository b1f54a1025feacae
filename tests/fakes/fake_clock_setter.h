#pragma once
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
        calls.push_back("date " + Two(static_cast<int>(d.year()), 4) + "-" + Two(static_cast<unsigned>(d.month())) +
                        "-" + Two(static_cast<unsigned>(d.day())));
        if (dateStatus == ClockStatus::Ok)
            clock_.SetNow(FromSeconds(ToSeconds(DatePart(date)) + ToSeconds(TimePart(clock_.Now()))));
        return dateStatus;
    }
    ClockStatus SetTimeOfDay(OleDate timeOfDay) override {
        const auto t = ToCivil(timeOfDay).time;
        calls.push_back("time " + Two(t.hours().count()) + ":" + Two(t.minutes().count()) + ":" +
                        Two(t.seconds().count()));
        if (timeStatus == ClockStatus::Ok)
            clock_.SetNow(FromSeconds(ToSeconds(DatePart(clock_.Now())) + ToSeconds(TimePart(timeOfDay))));
        return timeStatus;
    }

    std::vector<std::string> calls;
    ClockStatus dateStatus = ClockStatus::Ok;
    ClockStatus timeStatus = ClockStatus::Ok;

private:
    template <class N>
    static std::string Two(N n, std::size_t width = 2) {
        std::string s = std::to_string(n);
        return std::string(s.size() < width ? width - s.size() : 0, '0') + s;
    }
    FakeClock& clock_;
};

}  // namespace tavrin::testing
