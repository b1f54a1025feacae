#include "platform/win32/workstation_win32.h"

#include <windows.h>

namespace tavrin::win32 {

bool Win32Workstation::Lock() { return ::LockWorkStation() != FALSE; }

}  // namespace tavrin::win32
