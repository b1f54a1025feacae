#pragma once
#include "ports/clock.h"

namespace tavrin::testing {

// A clock the test sets and moves. Advance moves both the wall clock and the
// monotonic one; SetNow moves only the wall clock, as a user changing the
// system time would.
class FakeClock final : public Clock {
public:
    explicit FakeClock(OleDate now = MakeDateTime(std::chrono::year{2026} / 12 / 6, std::chrono::hours{20}))
        : now_(ToSeconds(now)) {}

    OleDate Now() const override { return FromSeconds(now_); }
    std::chrono::milliseconds Monotonic() const override { return monotonic_; }

    void SetNow(OleDate now) { now_ = ToSeconds(now); }
    void Advance(std::chrono::seconds s) {
        now_ += s.count();
        monotonic_ += s;
    }

private:
    std::int64_t now_;
    std::chrono::milliseconds monotonic_{1'000'000};
};

}  // namespace tavrin::testing
