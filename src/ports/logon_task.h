#pragma once
#include <string>
#include <string_view>

#include "ports/outcome.h"

namespace tavrin {

// The scheduled task that starts the program at this user's logon with the
// user's full rights.
class LogonTask {
public:
    virtual ~LogonTask() = default;
    virtual bool Exists() = 0;
    // Creates or replaces the task from its definition (Task Scheduler XML).
    virtual Outcome Register(std::string_view definition) = 0;
    // A task that is not there counts as deleted.
    virtual Outcome Delete() = 0;
    // The signed-in user as the task's principal knows it (a SID string).
    virtual std::string CurrentUser() const = 0;
};

}  // namespace tavrin
