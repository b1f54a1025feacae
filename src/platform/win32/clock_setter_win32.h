#pragma once
#include "ports/clock_setter.h"

namespace tavrin::win32 {

// SetSystemTime with SeSystemtimePrivilege enabled: the system turns the UTC
// moment into local time with its own zone and daylight-saving rules.
class Win32ClockSetter final : public ClockSetter {
public:
    ClockStatus SetUtc(OleDate utc) override;
};

}  // namespace tavrin::win32
