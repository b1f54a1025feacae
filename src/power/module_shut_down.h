#pragma once
#include <cstdint>
#include <string_view>

#include "ports/outcome.h"
#include "power/power_action_runner.h"

namespace tavrin {

class MessageBoxPort;
class Power;
class Workstation;

// Flags of ending the session. A forced shut-down is the shut-down with the force
// bit: the force bit alone would be a forced log-off.
namespace exit_windows {
inline constexpr std::uint32_t kLogOff = 0;
inline constexpr std::uint32_t kShutdown = 1;
inline constexpr std::uint32_t kReboot = 2;
inline constexpr std::uint32_t kForce = 4;
inline constexpr std::uint32_t kForcedShutdown = kShutdown | kForce;
// Every reason at once: the session ends for no recorded cause.
inline constexpr std::uint32_t kAnyReason = 0xFFFFFFFF;
}  // namespace exit_windows

inline constexpr std::string_view kShutdownPrivilege = "SeShutdownPrivilege";
inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kTokenQuery = 0x08;
inline constexpr std::uint32_t kPrivilegeEnabled = 2;

// Turns an action into the system call. Operations that end the session or
// suspend the machine take the shutdown privilege first; a failing step of
// that shows a box and the operation goes on.
class ModuleShutDown final : public PowerActionRunner {
public:
    ModuleShutDown(Power& power, Workstation& workstation, MessageBoxPort& messageBox);

    // The six actions of the schedule list; any other label does nothing.
    // An action the system refuses or cannot do shows a box naming it and
    // the system's reason.
    void RunPowerAction(const ActionLabel& label) override;

    void EnableShutdownPrivilege();
    Outcome ExitWindowsLogOff();
    Outcome ExitWindowsShutdown();
    Outcome ExitWindowsReboot();
    Outcome ExitWindowsForce();
    Outcome HibernateSystem();
    Outcome LockWorkStation();
    void MonitorOff();

private:
    Outcome EndSession(std::uint32_t flags);
    void ReportStep(std::string_view call, std::uint32_t lastError);

    Power& power_;
    Workstation& workstation_;
    MessageBoxPort& messageBox_;
};

}  // namespace tavrin
