#pragma once
#include <chrono>
#include <cstdint>

#include "common/ole_date.h"

namespace tavrin {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time of day, whole seconds.
    virtual OleDate Now() const = 0;
    // Time that only moves forward, whatever happens to the wall clock.
    virtual std::chrono::milliseconds Monotonic() const = 0;
    // Seconds since day zero on the UTC clock. Daylight saving never moves
    // it; setting the system time does.
    virtual std::int64_t UtcNow() const = 0;
    // Local time less UTC, in seconds, at a UTC moment, daylight saving included.
    virtual std::int64_t UtcOffsetAt(std::int64_t utcSeconds) const = 0;
};

}  // namespace tavrin
