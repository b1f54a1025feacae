#pragma once
#include <cstdint>
#include <memory>
#include <string_view>

#include "ports/outcome.h"

namespace tavrin {

// One run of taking a privilege into the process token, a platform call a
// step, in the order the caller chooses. Every step answers with the thread's
// last-error code as it stands after its call: a step that succeeds leaves an
// earlier code in place, and nothing the caller does between steps (a message
// box) disturbs it. The token opened on the way is closed when the run goes.
class PrivilegeSteps {
public:
    virtual ~PrivilegeSteps() = default;

    virtual void SetLastError(std::uint32_t code) = 0;
    virtual std::uint32_t GetCurrentProcess() = 0;
    virtual std::uint32_t OpenProcessToken(std::uint32_t desiredAccess) = 0;
    // Looked up on the local system.
    virtual std::uint32_t LookupPrivilege(std::string_view privilegeName) = 0;
    // Sets the attributes of the privilege looked up, in the token opened.
    virtual std::uint32_t AdjustTokenPrivileges(std::uint32_t attributes) = 0;
};

// Monitor power states of the system command.
enum class MonitorPower : int { Off = 2 };

// Ending the session, suspending the machine and switching the monitor off.
// The calls only start what they ask for: done means the system took the
// request, not that the session has ended or the machine is asleep.
class Power {
public:
    virtual ~Power() = default;

    virtual std::unique_ptr<PrivilegeSteps> BeginPrivilegeSteps() = 0;
    virtual Outcome EndSession(std::uint32_t flags, std::uint32_t reason) = 0;
    virtual Outcome SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) = 0;
    // Whether the machine can hibernate now; false when the system cannot tell.
    [[nodiscard]] virtual bool HibernationAvailable() = 0;
    // Asked of the program's main window, shown or hidden.
    [[nodiscard]] virtual bool SetMonitorPower(MonitorPower state) = 0;
};

}  // namespace tavrin
