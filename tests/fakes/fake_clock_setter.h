#pragma once
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "ports/clock_setter.h"

namespace tavrin::testing {

// Writes down each change as "utc 2026-12-05 23:59:58" and, when the change
// is allowed, sets the fake local clock to that moment in a zone of its own.
class FakeClockSetter final : public ClockSetter {
public:
    explicit FakeClockSetter(FakeClock& clock) : clock_(clock) {}

    ClockStatus SetUtc(OleDate utc) override {
        const auto [d, t] = ToCivil(utc);
        char text[32];
        std::snprintf(text, sizeof text, "utc %04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(d.year()),
                      static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()),
                      static_cast<int>(t.hours().count()), static_cast<int>(t.minutes().count()),
                      static_cast<int>(t.seconds().count()));
        calls.emplace_back(text);
        if (status == ClockStatus::Ok) clock_.SetNow(FromSeconds(ToSeconds(utc) + zone.count()));
        return status;
    }

    std::vector<std::string> calls;
    ClockStatus status = ClockStatus::Ok;
    static constexpr std::chrono::seconds zone = std::chrono::hours{8};  // the local clock's offset from UTC

private:
    FakeClock& clock_;
};

}  // namespace tavrin::testing
