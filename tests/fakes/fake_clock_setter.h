#pragma once
#include <chrono>
#include <cstdint>
#include <vector>

#include "fakes/fake_clock.h"
#include "ports/clock_setter.h"

namespace tavrin::testing {

// Writes down each change in UTC seconds and, when the change is allowed,
// sets the fake local clock to that moment in a zone of its own.
class FakeClockSetter final : public ClockSetter {
public:
    explicit FakeClockSetter(FakeClock& clock) : clock_(clock) {}

    ClockStatus SetUtc(OleDate utc) override {
        calls.push_back(ToSeconds(utc));
        if (status == ClockStatus::Ok) clock_.SetNow(FromSeconds(calls.back() + zone.count()));
        return status;
    }

    std::vector<std::int64_t> calls;
    ClockStatus status = ClockStatus::Ok;
    static constexpr std::chrono::seconds zone = std::chrono::hours{8};  // the local clock's offset from UTC

private:
    FakeClock& clock_;
};

}  // namespace tavrin::testing
