#pragma once
#include "ports/browser.h"
#include "ports/running_copy.h"

namespace tavrin::win32 {

// The registered message that asks the running copy's main window to come back.
inline constexpr wchar_t kRestoreMessage[] = L"Tavrin.RestoreMainWindow";

class Win32RunningCopy final : public RunningCopy {
public:
    bool Restore(std::string_view mainWindowCaption) override;
};

class Win32Browser final : public Browser {
public:
    bool Open(std::string_view address) override;
};

}  // namespace tavrin::win32
