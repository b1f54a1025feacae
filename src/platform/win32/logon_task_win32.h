#pragma once
#include "ports/logon_task.h"

namespace tavrin::win32 {

// The task in Task Scheduler's root folder, through its COM interface.
class Win32LogonTask final : public LogonTask {
public:
    bool Exists() override;
    Outcome Register(std::string_view definition) override;
    Outcome Delete() override;
    std::string CurrentUser() const override;
};

// Its name in Task Scheduler; the uninstaller deletes it by this name.
inline constexpr wchar_t kLogonTaskName[] = L"Dormalix";

}  // namespace tavrin::win32
