#include "platform/win32/clock_win32.h"

#include <windows.h>

#include "platform/win32/system_time.h"

namespace tavrin::win32 {

OleDate Win32Clock::Now() const {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return FromSystemTime(t);
}

std::chrono::milliseconds Win32Clock::Monotonic() const {
    return std::chrono::milliseconds{static_cast<std::int64_t>(GetTickCount64())};
}

std::int64_t Win32Clock::UtcNow() const {
    SYSTEMTIME t{};
    GetSystemTime(&t);
    return ToSeconds(FromSystemTime(t));
}

// The system's own rules for the zone (the current year's, as Windows keeps
// them); a moment it cannot convert takes the offset in force now, never a
// made-up zero.
std::int64_t Win32Clock::UtcOffsetAt(std::int64_t utcSeconds) const {
    const auto utc = ToSystemTime(FromSeconds(utcSeconds));
    SYSTEMTIME local{};
    if (utc && SystemTimeToTzSpecificLocalTime(nullptr, &*utc, &local))
        return ToSeconds(FromSystemTime(local)) - utcSeconds;
    return ToSeconds(Now()) - UtcNow();
}

}  // namespace tavrin::win32
