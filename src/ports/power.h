#pragma once
#include <cstdint>
#include <memory>

#include "ports/outcome.h"

namespace tavrin {

// One run of taking the shut-down privilege into the process token, a
// platform call a step, in the order the caller chooses. Every step answers
// with the thread's last-error code as it stands after its call: a step that
// succeeds leaves an earlier code in place, and nothing the caller does
// between steps (a message box) disturbs it. The token opened on the way is
// closed when the run goes.
class PrivilegeSteps {
public:
    virtual ~PrivilegeSteps() = default;

    virtual void ClearLastError() = 0;
    virtual std::uint32_t FindOwnProcess() = 0;
    // For adjusting its privileges and querying them.
    virtual std::uint32_t OpenOwnToken() = 0;
    // Looked up on the local system.
    virtual std::uint32_t LookUpShutdownPrivilege() = 0;
    // In the token opened, the privilege looked up.
    virtual std::uint32_t EnableShutdownPrivilege() = 0;
};

enum class SessionEnd { ShutDown, ForcedShutDown, Restart, LogOff };

// Ending the session, hibernating and switching the monitor off. The calls
// only start what they ask for: done means the system took the request, not
// that the session has ended or the machine is asleep.
class Power {
public:
    virtual ~Power() = default;

    virtual std::unique_ptr<PrivilegeSteps> BeginPrivilegeSteps() = 0;
    // For no recorded reason.
    virtual Outcome EndSession(SessionEnd how) = 0;
    virtual Outcome Hibernate() = 0;
    // Whether the machine can hibernate now; false when the system cannot tell.
    [[nodiscard]] virtual bool HibernationAvailable() = 0;
    // Asked of the program's main window, shown or hidden.
    [[nodiscard]] virtual bool MonitorOff() = 0;
};

}  // namespace tavrin
