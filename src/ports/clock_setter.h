#pragma once
#include "common/ole_date.h"

namespace tavrin {

enum class ClockStatus { Ok, Refused, Failed };

// Changes the system's local clock. Refused: the user lacks the right to
// change the time, or the system would not allow that change.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    // The date of the value; the time of day stays as it runs.
    virtual ClockStatus SetDate(OleDate date) = 0;
    // The time of day of the value, whole seconds; the date stays.
    virtual ClockStatus SetTimeOfDay(OleDate timeOfDay) = 0;
};

}  // namespace tavrin
