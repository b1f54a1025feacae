#include "platform/win32/power_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/win32/system_reason.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/workstation_win32.h"

namespace tavrin::win32 {
namespace {

// ExitWindowsEx and SetSuspendState are never called here: under Wine the
// first ends every program of the prefix, this test included.

constexpr std::uint32_t kAdjustAndQuery = 0x28;
constexpr DWORD kNotAllAssigned = 1300;

TEST(PowerAdapter, PrivilegeStepsRunAndAnswerWithTheLastErrorCode) {
    Win32Power power;
    const auto steps = power.BeginPrivilegeSteps();
    ASSERT_NE(steps, nullptr);
    steps->SetLastError(0);
    EXPECT_EQ(steps->GetCurrentProcess(), 0u);
    EXPECT_EQ(steps->OpenProcessToken(kAdjustAndQuery), 0u);
    EXPECT_EQ(steps->LookupPrivilege("SeShutdownPrivilege"), 0u);
    const std::uint32_t adjusted = steps->AdjustTokenPrivileges(SE_PRIVILEGE_ENABLED);
    EXPECT_TRUE(adjusted == 0 || adjusted == kNotAllAssigned) << adjusted;
}

// The power library loads at this first call, not with the program.
TEST(PowerAdapter, TheHibernationQueryLoadsItsLibraryWhenAsked) {
    if (GetModuleHandleW(L"powrprof.dll") != nullptr) GTEST_SKIP() << "loaded before this test";
    (void)Win32Power{}.HibernationAvailable();
    EXPECT_NE(GetModuleHandleW(L"powrprof.dll"), nullptr);
}

TEST(PowerAdapter, ACodeLeftBehindIsSeenAgainWhateverHappensBetweenSteps) {
    Win32Power power;
    const auto steps = power.BeginPrivilegeSteps();
    steps->SetLastError(0);
    ::SetLastError(ERROR_ACCESS_DENIED);  // as a message box in between might
    EXPECT_EQ(steps->GetCurrentProcess(), 0u);
    EXPECT_EQ(steps->LookupPrivilege("SeNoSuchPrivilege"), static_cast<std::uint32_t>(ERROR_NO_SUCH_PRIVILEGE));
    ::SetLastError(0);
    EXPECT_EQ(steps->OpenProcessToken(kAdjustAndQuery), static_cast<std::uint32_t>(ERROR_NO_SUCH_PRIVILEGE));
}

TEST(PowerAdapter, WithoutTheProcessTheTokenStepsFailWithInvalidHandle) {
    Win32Power power;
    const auto steps = power.BeginPrivilegeSteps();
    steps->SetLastError(0);
    EXPECT_EQ(steps->OpenProcessToken(kAdjustAndQuery), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(steps->LookupPrivilege("SeShutdownPrivilege"), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(steps->AdjustTokenPrivileges(SE_PRIVILEGE_ENABLED), static_cast<std::uint32_t>(ERROR_INVALID_HANDLE));
}

// The system hands out the slot of the handle closed last, so the token of
// the steps takes the slot a token of our own just left.
TEST(PowerAdapter, TheTokenIsClosedWhenTheStepsGo) {
    Win32Power power;
    HANDLE probe = nullptr;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &probe));
    ASSERT_TRUE(CloseHandle(probe));
    DWORD flags = 0;
    {
        const auto steps = power.BeginPrivilegeSteps();
        steps->SetLastError(0);
        steps->GetCurrentProcess();
        ASSERT_EQ(steps->OpenProcessToken(kAdjustAndQuery), 0u);
        if (!GetHandleInformation(probe, &flags)) GTEST_SKIP() << "the token took another slot";
    }
    EXPECT_FALSE(GetHandleInformation(probe, &flags));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// A stand-in main window that writes down the system commands it receives.
struct CommandRecorder {
    static inline WPARAM command = 0;
    static inline LPARAM argument = 0;
    static inline int count = 0;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_SYSCOMMAND) {
            command = wp & 0xFFF0;
            argument = lp;
            ++count;
            return 0;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
};

TEST(PowerAdapter, MonitorOffGoesToTheMainWindowEvenWhenHidden) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CommandRecorder::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TavrinTestsMainWindow";
    RegisterClassW(&wc);
    UniqueWindow mainWindow(CreateWindowExW(0, wc.lpszClassName, L"main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                            nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(mainWindow);
    ASSERT_FALSE(IsWindowVisible(mainWindow.get()));

    HWND current = nullptr;
    Win32Power power([&] { return current; });
    EXPECT_FALSE(power.SetMonitorPower(MonitorPower::Off));  // no main window yet: nothing sent
    EXPECT_EQ(CommandRecorder::count, 0);

    current = mainWindow.get();
    EXPECT_TRUE(power.SetMonitorPower(MonitorPower::Off));
    EXPECT_EQ(CommandRecorder::count, 1);
    EXPECT_EQ(CommandRecorder::command, static_cast<WPARAM>(SC_MONITORPOWER));
    EXPECT_EQ(CommandRecorder::argument, 2);
}

// The text is trimmed of the line break the system ends it with.
TEST(PowerAdapter, AReasonIsTheSystemsTextAndTheCodeOrTheCodeAlone) {
    const std::string denied = SystemReason(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(denied.size() > 4 && denied.ends_with(" (5)") && denied.find_first_of("\r\n") == std::string::npos)
        << denied;
    EXPECT_EQ(SystemReason(0x2000BEEF), "536919791");  // customer code: the system has no text
}

TEST(WorkstationAdapter, LockIsRefusedUnderWineWithTheSystemsReason) {
    Win32Workstation workstation;
    const Outcome locked = workstation.Lock();
    EXPECT_FALSE(locked);
    EXPECT_EQ(locked.Reason(), SystemReason(ERROR_CALL_NOT_IMPLEMENTED));
}

}  // namespace
}  // namespace tavrin::win32
