#pragma once
#include "ports/logon_task.h"

namespace tavrin::win32 {

// The task in Task Scheduler's root folder, through its COM interface.
class Win32LogonTask final : public LogonTask {
public:
    bool Exists(std::string_view user) override;
    Outcome Register(std::string_view user, std::string_view definition) override;
    Outcome Delete(std::string_view user) override;
    std::string CurrentUser() const override;
};

// The task's name in Task Scheduler: one for each user, so that no user's
// task replaces another's.
std::wstring LogonTaskName(std::string_view user);

}  // namespace tavrin::win32
