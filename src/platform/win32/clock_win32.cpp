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

}  // namespace tavrin::win32
