#include "platform/win32/power_win32.h"

#include <powrprof.h>

#include <utility>

#include "platform/win32/system_reason.h"
#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

namespace {

// The steps share one last-error code of their own: it is put back on the
// thread before each call and read right after it, so whatever the caller
// does between steps cannot change what the next step reports.
class Win32PrivilegeSteps final : public PrivilegeSteps {
public:
    void ClearLastError() override {
        lastError_ = 0;
        ::SetLastError(0);
    }
    std::uint32_t FindOwnProcess() override {
        Before();
        process_ = ::GetCurrentProcess();
        return After();
    }
    std::uint32_t OpenOwnToken() override {
        Before();
        ::OpenProcessToken(process_, TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token_.put());
        return After();
    }
    std::uint32_t LookUpShutdownPrivilege() override {
        Before();
        ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &luid_);
        return After();
    }
    std::uint32_t EnableShutdownPrivilege() override {
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Luid = luid_;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        TOKEN_PRIVILEGES previous{};
        DWORD returned = 0;
        Before();
        ::AdjustTokenPrivileges(token_.get(), FALSE, &wanted, sizeof previous, &previous, &returned);
        return After();
    }

private:
    void Before() const { ::SetLastError(lastError_); }
    std::uint32_t After() { return lastError_ = ::GetLastError(); }

    std::uint32_t lastError_ = 0;
    HANDLE process_ = nullptr;  // a pseudo-handle: never closed
    UniqueKernelHandle token_;
    LUID luid_{};
};

// The lParam of SC_MONITORPOWER that switches the monitor off.
constexpr LPARAM kMonitorOff = 2;

// In the order of SessionEnd. A forced shut-down is the shut-down with the
// force bit: the force bit alone would be a forced log-off.
constexpr UINT kExitFlags[] = {EWX_SHUTDOWN, EWX_SHUTDOWN | EWX_FORCE, EWX_REBOOT, EWX_LOGOFF};

}  // namespace

Win32Power::Win32Power(std::function<HWND()> mainWindow) : mainWindow_(std::move(mainWindow)) {}

std::unique_ptr<PrivilegeSteps> Win32Power::BeginPrivilegeSteps() { return std::make_unique<Win32PrivilegeSteps>(); }

// The code is cleared first, so a refusal that sets none does not show one an
// earlier call left behind. Every reason at once: no recorded cause.
Outcome Win32Power::EndSession(SessionEnd how) {
    ::SetLastError(0);
    return OutcomeOf(::ExitWindowsEx(kExitFlags[static_cast<int>(how)], 0xFFFFFFFF));
}

Outcome Win32Power::Hibernate() {
    ::SetLastError(0);
    return OutcomeOf(::SetSuspendState(/*hibernate=*/TRUE, /*forceCritical=*/FALSE, /*disableWakeEvent=*/FALSE));
}

// S4 says the machine supports hibernation; the file says it is switched on.
bool Win32Power::HibernationAvailable() {
    SYSTEM_POWER_CAPABILITIES capabilities{};
    return ::GetPwrCapabilities(&capabilities) && capabilities.SystemS4 && capabilities.HiberFilePresent;
}

bool Win32Power::MonitorOff() {
    const HWND window = mainWindow_ ? mainWindow_() : nullptr;
    if (window == nullptr) return false;
    ::SendMessageW(window, WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
    return true;
}

}  // namespace tavrin::win32
