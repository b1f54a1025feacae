#include "platform/win32/workstation_win32.h"

#include <windows.h>

#include "platform/win32/system_reason.h"

namespace tavrin::win32 {

Outcome Win32Workstation::Lock() {
    ::SetLastError(0);
    return OutcomeOf(::LockWorkStation());
}

}  // namespace tavrin::win32
