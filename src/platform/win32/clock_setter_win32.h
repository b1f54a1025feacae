#pragma once
#include "ports/clock_setter.h"

namespace tavrin::win32 {

// SetLocalTime: the system converts to UTC with the zone in force.
class Win32ClockSetter final : public ClockSetter {
public:
    ClockStatus SetDate(OleDate date) override;
    ClockStatus SetTimeOfDay(OleDate timeOfDay) override;
};

}  // namespace tavrin::win32
