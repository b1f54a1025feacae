#pragma once
#include <string>
#include <string_view>

#include "ports/outcome.h"

namespace tavrin {

// The scheduled task that starts the program at a user's logon with that
// user's full rights; each user has one of their own. Users are named as
// the task's principal knows them (SID strings).
class LogonTask {
public:
    virtual ~LogonTask() = default;
    virtual bool Exists(std::string_view user) = 0;
    // Creates or replaces the task from its definition (Task Scheduler XML).
    virtual Outcome Register(std::string_view user, std::string_view definition) = 0;
    // A task that is not there counts as deleted.
    virtual Outcome Delete(std::string_view user) = 0;
    virtual std::string CurrentUser() const = 0;
};

}  // namespace tavrin
