#include "platform/win32/clock_setter_win32.h"

#include <windows.h>

namespace tavrin::win32 {

namespace {

ClockStatus Apply(SYSTEMTIME time) {
    if (!SetLocalTime(&time)) {
        const DWORD error = GetLastError();
        return error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_ACCESS_DENIED ? ClockStatus::Refused
                                                                                 : ClockStatus::Failed;
    }
    // The first call converts with the daylight-saving rule of the old time;
    // the second, now that the rule follows the new time, gets it right.
    (void)SetLocalTime(&time);
    return ClockStatus::Ok;
}

}  // namespace

ClockStatus Win32ClockSetter::SetDate(OleDate date) {
    const auto civil = ToCivil(date).date;
    const int year = static_cast<int>(civil.year());
    if (!civil.ok() || year < 1601 || year > 30827) return ClockStatus::Failed;
    SYSTEMTIME time{};
    GetLocalTime(&time);
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(static_cast<unsigned>(civil.month()));
    time.wDay = static_cast<WORD>(static_cast<unsigned>(civil.day()));
    time.wDayOfWeek = 0;  // ignored by the system
    return Apply(time);
}

ClockStatus Win32ClockSetter::SetTimeOfDay(OleDate timeOfDay) {
    const auto civil = ToCivil(timeOfDay).time;
    SYSTEMTIME time{};
    GetLocalTime(&time);
    time.wHour = static_cast<WORD>(civil.hours().count());
    time.wMinute = static_cast<WORD>(civil.minutes().count());
    time.wSecond = static_cast<WORD>(civil.seconds().count());
    time.wMilliseconds = 0;
    return Apply(time);
}

}  // namespace tavrin::win32
