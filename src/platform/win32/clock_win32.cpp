#include "platform/win32/clock_win32.h"

#include <windows.h>

namespace tavrin::win32 {

OleDate Win32Clock::Now() const {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    using namespace std::chrono;
    return MakeDateTime(year{t.wYear} / month{t.wMonth} / day{t.wDay},
                        hours{t.wHour} + minutes{t.wMinute} + seconds{t.wSecond});
}

std::chrono::milliseconds Win32Clock::Monotonic() const {
    return std::chrono::milliseconds{static_cast<std::int64_t>(GetTickCount64())};
}

}  // namespace tavrin::win32
