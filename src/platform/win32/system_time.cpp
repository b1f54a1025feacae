#include "platform/win32/system_time.h"

namespace tavrin::win32 {

std::optional<SYSTEMTIME> ToSystemTime(OleDate value) {
    const CivilDateTime c = ToCivil(value);
    const int year = static_cast<int>(c.date.year());
    if (year < 1601 || year > 9999) return std::nullopt;
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(static_cast<unsigned>(c.date.month()));
    t.wDay = static_cast<WORD>(static_cast<unsigned>(c.date.day()));
    t.wHour = static_cast<WORD>(c.time.hours().count());
    t.wMinute = static_cast<WORD>(c.time.minutes().count());
    t.wSecond = static_cast<WORD>(c.time.seconds().count());
    return t;
}

OleDate FromSystemTime(const SYSTEMTIME& t) {
    using namespace std::chrono;
    return MakeDateTime(year{t.wYear} / month{t.wMonth} / day{t.wDay},
                        hours{t.wHour} + minutes{t.wMinute} + seconds{t.wSecond});
}

}  // namespace tavrin::win32
