#pragma once
#include <vector>

#include "fakes/fake_clock.h"
#include "ports/clock_setter.h"

namespace tavrin::testing {

// Writes down each change in UTC seconds and, when the change is allowed,
// sets the fake local clock to that moment in a zone eight hours east.
class FakeClockSetter final : public ClockSetter {
public:
    explicit FakeClockSetter(FakeClock& clock) : clock_(clock) {}

    ClockStatus SetUtc(OleDate utc) override {
        calls.push_back(ToSeconds(utc));
        if (status == ClockStatus::Ok) clock_.SetNow(FromSeconds(calls.back() + 8 * 3600));
        return status;
    }

    std::vector<std::int64_t> calls;
    ClockStatus status = ClockStatus::Ok;

private:
    FakeClock& clock_;
};

}  // namespace tavrin::testing
