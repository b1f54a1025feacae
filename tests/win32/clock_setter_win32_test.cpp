#include "platform/win32/clock_setter_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/clock_win32.h"

namespace tavrin::win32 {
namespace {

// Only Wine is known to refuse a change of more than a second whatever the
// rights; on Windows these calls could really move the clock.
bool UnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

TEST(ClockSetterAdapter, ChangesOfMoreThanASecondAreReportedAsRefused) {
    if (!UnderWine()) GTEST_SKIP() << "would change this machine's clock";
    Win32Clock clock;
    Win32ClockSetter setter;
    const OleDate before = clock.Now();
    EXPECT_EQ(setter.SetDate(FromSeconds(ToSeconds(before) + 3 * kSecondsPerDay)), ClockStatus::Refused);
    EXPECT_EQ(setter.SetTimeOfDay(FromSeconds(ToSeconds(TimePart(before)) + 2 * 3600)), ClockStatus::Refused);
    EXPECT_LT(SecondsBetween(before, clock.Now()), 5);
}

TEST(ClockSetterAdapter, ADateNoSystemTimeCanHoldFailsWithoutACall) {
    Win32ClockSetter setter;
    EXPECT_EQ(setter.SetDate(MakeDate(std::chrono::year{1500} / 1 / 1)), ClockStatus::Failed);
}

}  // namespace
}  // namespace tavrin::win32
