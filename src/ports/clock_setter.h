#pragma once
#include "common/ole_date.h"

namespace tavrin {

enum class ClockStatus { Ok, Refused, Failed };

// Changes the system clock. Refused: the user lacks the right to change the
// time, or the system would not allow that change.
class ClockSetter {
public:
    virtual ~ClockSetter() = default;
    // Date and time of day at once, as UTC in whole seconds; the system's own
    // zone and daylight-saving rules then give every zone its local time.
    virtual ClockStatus SetUtc(OleDate utc) = 0;
};

}  // namespace tavrin
