#include "platform/win32/date_time_text_win32.h"

#include <windows.h>

#include "platform/win32/system_time.h"
#include "platform/win32/text.h"

namespace tavrin::win32 {

namespace {

template <class Format>
std::optional<std::string> Write(Format format) {
    wchar_t buffer[128];
    const int n = format(buffer, static_cast<int>(std::size(buffer)));
    if (n <= 1) return std::nullopt;  // n counts the terminating zero
    return Narrow(std::wstring_view(buffer, static_cast<std::size_t>(n - 1)));
}

}  // namespace

std::optional<std::string> Win32DateTimeText::ShortDate(OleDate day) const {
    const auto t = ToSystemTime(day);
    if (!t) return std::nullopt;
    const wchar_t* locale = localeName_.empty() ? LOCALE_NAME_USER_DEFAULT : localeName_.c_str();
    return Write([&](wchar_t* out, int size) {
        return GetDateFormatEx(locale, DATE_SHORTDATE, &*t, nullptr, out, size, nullptr);
    });
}

std::optional<std::string> Win32DateTimeText::TimeOfDay(OleDate time) const {
    // The date part plays no role in a time of day; day zero would not fit.
    auto t =
        ToSystemTime(FromSeconds(ToSeconds(MakeDate(std::chrono::year{2000} / 1 / 1)) + ToSeconds(TimePart(time))));
    if (!t) return std::nullopt;
    const wchar_t* locale = localeName_.empty() ? LOCALE_NAME_USER_DEFAULT : localeName_.c_str();
    return Write([&](wchar_t* out, int size) { return GetTimeFormatEx(locale, 0, &*t, nullptr, out, size); });
}

}  // namespace tavrin::win32
