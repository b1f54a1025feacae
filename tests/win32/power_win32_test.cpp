#include "platform/win32/power_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/system_reason.h"
#include "platform/win32/workstation_win32.h"

namespace tavrin::win32 {
namespace {

// Ending the session and hibernating are never called here: under Wine the
// first ends every program of the prefix, this test included.

// A code left behind is seen again whatever happens between steps; without
// the process the token steps fail with an invalid handle.
TEST(PowerAdapter, PrivilegeStepsAnswerWithTheirOwnLastErrorCode) {
    Win32Power power;
    const auto steps = power.BeginPrivilegeSteps();
    steps->ClearLastError();
    EXPECT_EQ(steps->OpenOwnToken(), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    steps->ClearLastError();
    ::SetLastError(ERROR_ACCESS_DENIED);  // as a message box in between might
    EXPECT_EQ(steps->FindOwnProcess(), 0u);
    EXPECT_EQ(steps->OpenOwnToken(), 0u);
    EXPECT_EQ(steps->LookUpShutdownPrivilege(), 0u);
    const std::uint32_t enabled = steps->EnableShutdownPrivilege();
    EXPECT_TRUE(enabled == 0 || enabled == ERROR_NOT_ALL_ASSIGNED) << enabled;
}

TEST(PowerAdapter, AReasonIsTheSystemsTextAndTheCodeOrTheCodeAloneAndLockIsRefusedUnderWine) {
    const std::string denied = SystemReason(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(denied.ends_with(" (5)") && denied.find_first_of("\r\n") == std::string::npos) << denied;
    EXPECT_EQ(SystemReason(0x2000BEEF), "536919791");  // customer code: the system has no text
    EXPECT_EQ(Win32Workstation{}.Lock().Reason(), SystemReason(ERROR_CALL_NOT_IMPLEMENTED));
}

}  // namespace
}  // namespace tavrin::win32
