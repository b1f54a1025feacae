#include "platform/win32/date_time_text_win32.h"

#include <gtest/gtest.h>

namespace tavrin::win32 {
namespace {

using namespace std::chrono;

const OleDate kEvening = MakeDateTime(year{2026} / 12 / 6, hours{20} + seconds{5});
const OleDate kMorning = MakeDateTime(year{2027} / 1 / 2, hours{8} + minutes{7} + seconds{9});

TEST(DateTimeTextAdapter, WritesTheLocalesShortDateAndTimeAndNothingWhereTheSystemCannot) {
    struct Case {
        const wchar_t* locale;
        OleDate value;
        const char* date;
        const char* time;
    };
    for (const Case& c :
         {Case{L"zh-CN", kEvening, "2026/12/6", "20:00:05"}, Case{L"en-US", kEvening, "12/6/2026", "8:00:05 PM"},
          Case{L"en-GB", kMorning, "02/01/2027", "08:07:09"}, Case{L"en-GB", kDayZero, "30/12/1899", "00:00:00"}}) {
        const Win32DateTimeText text(c.locale);
        EXPECT_EQ(text.ShortDate(c.value), c.date) << "case: " << c.date;
        EXPECT_EQ(text.TimeOfDay(c.value), c.time) << "case: " << c.time;
    }
    EXPECT_EQ(Win32DateTimeText(L"zh-CN").ShortDate(MakeDate(year{1000} / 1 / 1)), std::nullopt);  // before 1601
    EXPECT_EQ(Win32DateTimeText(L"en-US").TimeOfDay(MakeDateTime(year{1000} / 1 / 1, hours{6})), "6:00:00 AM");
    EXPECT_EQ(Win32DateTimeText(L"xx-nowhere").ShortDate(kEvening), std::nullopt);
}

}  // namespace
}  // namespace tavrin::win32
