#pragma once
#include <chrono>

#include "common/ole_date.h"

namespace tavrin {

class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time of day, whole seconds.
    virtual OleDate Now() const = 0;
    // Time that only moves forward, whatever happens to the wall clock.
    virtual std::chrono::milliseconds Monotonic() const = 0;
};

inline OleDate Today(const Clock& clock) { return DatePart(clock.Now()); }
inline OleDate TimeOfDayNow(const Clock& clock) { return TimePart(clock.Now()); }

}  // namespace tavrin
