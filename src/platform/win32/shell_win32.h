#pragma once
#include <windows.h>

#include "ports/browser.h"
#include "ports/running_copy.h"

namespace tavrin::win32 {

// The registered message that asks the running copy's main window to come back.
inline constexpr wchar_t kRestoreMessage[] = L"Tavrin.RestoreMainWindow";
// WM_COPYDATA tags of a command handed to the running copy and of its reply,
// so a stray WM_COPYDATA is never taken for either.
inline constexpr ULONG_PTR kScriptRequestTag = 0x54765351;  // "TvSQ"
inline constexpr ULONG_PTR kScriptReplyTag = 0x54765352;    // "TvSR"

class Win32RunningCopy final : public RunningCopy {
public:
    bool Restore(std::string_view mainWindowCaption) override;
    Relayed Relay(std::string_view mainWindowCaption, std::string_view request) override;
    bool Start(std::string_view arguments, std::string_view mainWindowCaption) override;
};

class Win32Browser final : public Browser {
public:
    bool Open(std::string_view address) override;
};

}  // namespace tavrin::win32
