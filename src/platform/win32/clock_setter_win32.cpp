#include "platform/win32/clock_setter_win32.h"

#include <windows.h>

#include "platform/win32/system_time.h"
#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {

namespace {

// Wine refuses a change of more than a second with ERROR_PRIVILEGE_NOT_HELD,
// as Windows does for a token without the right.
ClockStatus FromError(DWORD error) {
    return error == ERROR_PRIVILEGE_NOT_HELD || error == ERROR_NOT_ALL_ASSIGNED || error == ERROR_ACCESS_DENIED
               ? ClockStatus::Refused
               : ClockStatus::Failed;
}

// SeSystemtimePrivilege enabled for the life of the object and put back as it
// was afterwards. Only a token that holds it can enable it: a standard user's
// and an administrator's filtered token do not.
class SystemtimePrivilege {
public:
    SystemtimePrivilege() {
        TOKEN_PRIVILEGES wanted{};
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token_.put()) ||
            !::LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &wanted.Privileges[0].Luid)) {
            error_ = ::GetLastError();
            return;
        }
        DWORD size = 0;
        ::SetLastError(ERROR_SUCCESS);
        // Succeeds even without the privilege held: then the last error is ERROR_NOT_ALL_ASSIGNED.
        ::AdjustTokenPrivileges(token_.get(), FALSE, &wanted, sizeof previous_, &previous_, &size);
        error_ = ::GetLastError();
    }
    ~SystemtimePrivilege() {
        if (error_ == ERROR_SUCCESS && previous_.PrivilegeCount > 0)
            ::AdjustTokenPrivileges(token_.get(), FALSE, &previous_, 0, nullptr, nullptr);
    }
    SystemtimePrivilege(const SystemtimePrivilege&) = delete;
    SystemtimePrivilege& operator=(const SystemtimePrivilege&) = delete;

    DWORD Error() const { return error_; }

private:
    UniqueKernelHandle token_;
    TOKEN_PRIVILEGES previous_{};  // only what the adjustment changed
    DWORD error_ = ERROR_SUCCESS;
};

}  // namespace

ClockStatus Win32ClockSetter::SetUtc(OleDate utc) {
    const auto time = ToSystemTime(utc);
    if (!time) return ClockStatus::Failed;
    const SystemtimePrivilege privilege;
    if (privilege.Error() != ERROR_SUCCESS) return FromError(privilege.Error());
    if (!::SetSystemTime(&*time)) return FromError(::GetLastError());
    return ClockStatus::Ok;
}

}  // namespace tavrin::win32
