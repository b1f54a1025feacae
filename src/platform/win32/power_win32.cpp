#include "platform/win32/power_win32.h"

#include <powrprof.h>

#include <utility>

#include "platform/win32/system_reason.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

namespace {

// The steps share one last-error code of their own: it is put back on the
// thread before each call and read right after it, so whatever the caller
// does between steps cannot change what the next step reports.
class Win32PrivilegeSteps final : public PrivilegeSteps {
public:
    void SetLastError(std::uint32_t code) override {
        lastError_ = code;
        ::SetLastError(code);
    }
    std::uint32_t GetCurrentProcess() override {
        Before();
        process_ = ::GetCurrentProcess();
        return After();
    }
    std::uint32_t OpenProcessToken(std::uint32_t desiredAccess) override {
        Before();
        ::OpenProcessToken(process_, desiredAccess, token_.put());
        return After();
    }
    std::uint32_t LookupPrivilege(std::string_view privilegeName) override {
        const std::wstring name = Widen(privilegeName);
        Before();
        ::LookupPrivilegeValueW(nullptr, name.c_str(), &luid_);
        return After();
    }
    std::uint32_t AdjustTokenPrivileges(std::uint32_t attributes) override {
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Luid = luid_;
        wanted.Privileges[0].Attributes = attributes;
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

}  // namespace

Win32Power::Win32Power(std::function<HWND()> mainWindow) : mainWindow_(std::move(mainWindow)) {}

std::unique_ptr<PrivilegeSteps> Win32Power::BeginPrivilegeSteps() { return std::make_unique<Win32PrivilegeSteps>(); }

// The code is cleared first, so a refusal that sets none does not show one an
// earlier call left behind.
Outcome Win32Power::EndSession(std::uint32_t flags, std::uint32_t reason) {
    ::SetLastError(0);
    return OutcomeOf(::ExitWindowsEx(flags, reason));
}

Outcome Win32Power::SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) {
    ::SetLastError(0);
    return OutcomeOf(::SetSuspendState(hibernate, forceCritical, disableWakeEvent));
}

// S4 says the machine supports hibernation; the file says it is switched on.
bool Win32Power::HibernationAvailable() {
    SYSTEM_POWER_CAPABILITIES capabilities{};
    return ::GetPwrCapabilities(&capabilities) && capabilities.SystemS4 && capabilities.HiberFilePresent;
}

bool Win32Power::SetMonitorPower(MonitorPower state) {
    const HWND window = mainWindow_ ? mainWindow_() : nullptr;
    if (window == nullptr) return false;
    ::SendMessageW(window, WM_SYSCOMMAND, SC_MONITORPOWER, static_cast<LPARAM>(state));
    return true;
}

}  // namespace tavrin::win32
