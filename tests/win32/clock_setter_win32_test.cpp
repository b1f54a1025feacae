#include "platform/win32/clock_setter_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/clock_win32.h"
#include "platform/win32/system_time.h"

namespace tavrin::win32 {
namespace {

// Only Wine is known to refuse a change of more than a second whatever the
// rights; on Windows these calls could really move the clock.
bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The current UTC second, read early in it, so that setting it is no change.
OleDate UtcNow() {
    SYSTEMTIME t{};
    for (GetSystemTime(&t); t.wMilliseconds > 300; GetSystemTime(&t)) Sleep(20);
    return FromSystemTime(t);
}

// ctest runs this in a zone away from UTC: the moment it is, read as local
// time, would be a change of an hour or two.
TEST(ClockSetterAdapter, TakesTheUtcMomentItIsAndRefusesChangesOfMoreThanASecond) {
    if (!UnderWine()) GTEST_SKIP() << "would change this machine's clock";
    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    ASSERT_NE(zone.Bias, 0) << "needs a zone away from UTC";
    Win32Clock clock;
    Win32ClockSetter setter;
    const OleDate before = clock.Now();
    EXPECT_EQ(setter.SetUtc(FromSeconds(ToSeconds(UtcNow()) + 3 * kSecondsPerDay)), ClockStatus::Refused);
    EXPECT_EQ(setter.SetUtc(FromSeconds(ToSeconds(UtcNow()) + 2 * 3600)), ClockStatus::Refused);
    EXPECT_EQ(setter.SetUtc(UtcNow()), ClockStatus::Ok);
    EXPECT_LT(SecondsBetween(before, clock.Now()), 5);
}

TEST(ClockSetterAdapter, ADateNoSystemTimeCanHoldFailsWithoutACall) {
    Win32ClockSetter setter;
    EXPECT_EQ(setter.SetUtc(MakeDate(std::chrono::year{1500} / 1 / 1)), ClockStatus::Failed);
}

}  // namespace
}  // namespace tavrin::win32
