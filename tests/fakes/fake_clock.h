#pragma once
#include <functional>

#include "ports/clock.h"

namespace tavrin::testing {

// A clock the test sets and moves, in a zone the test may give. Advance
// moves both the wall clock and the monotonic one; SetNow moves only the
// wall clock, as a user changing the system time would.
class FakeClock final : public Clock {
public:
    // Local time less UTC at a UTC moment, in seconds.
    using Zone = std::function<std::int64_t(std::int64_t utc)>;

    explicit FakeClock(OleDate now = MakeDateTime(std::chrono::year{2026} / 12 / 6, std::chrono::hours{20}))
        : utc_(ToSeconds(now)) {}

    OleDate Now() const override { return FromSeconds(utc_ + UtcOffsetAt(utc_)); }
    std::chrono::milliseconds Monotonic() const override { return monotonic_; }
    std::int64_t UtcNow() const override { return utc_; }
    std::int64_t UtcOffsetAt(std::int64_t utc) const override { return zone_ ? zone_(utc) : 0; }

    // The local time stays what it was.
    void SetZone(Zone zone) {
        const OleDate local = Now();
        zone_ = std::move(zone);
        SetNow(local);
    }
    // A local time shown twice is taken at its first showing.
    void SetNow(OleDate now) {
        const std::int64_t local = ToSeconds(now);
        utc_ = local - UtcOffsetAt(local - UtcOffsetAt(local - kSecondsPerDay));
    }
    void Advance(std::chrono::seconds s) {
        utc_ += s.count();
        monotonic_ += s;
    }

private:
    std::int64_t utc_;
    std::chrono::milliseconds monotonic_{1'000'000};
    Zone zone_;
};

}  // namespace tavrin::testing
