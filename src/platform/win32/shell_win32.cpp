#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/text.h"

namespace tavrin::win32 {

bool Win32RunningCopy::Restore(std::string_view mainWindowCaption) {
    HWND window = FindWindowW(nullptr, Widen(mainWindowCaption).c_str());
    if (window == nullptr) return false;
    // Asked, not done from here: the window may belong to an elevated copy,
    // which admits this one message. The user's start may hand it the foreground.
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    AllowSetForegroundWindow(owner);
    return PostMessageW(window, RegisterWindowMessageW(kRestoreMessage), 0, 0) != FALSE;
}

bool Win32Browser::Open(std::string_view address) {
    const std::wstring target = Widen(address);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = target.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
}

}  // namespace tavrin::win32
