#pragma once
#include <cstdint>
#include <string_view>

#include "ports/outcome.h"
#include "ports/power.h"
#include "power/power_action_runner.h"

namespace tavrin {

class MessageBoxPort;
class Workstation;

// Turns an action into the system call. Operations that end the session or
// hibernate take the shutdown privilege first; a failing step of that shows
// a box and the operation goes on.
class ModuleShutDown final : public PowerActionRunner {
public:
    ModuleShutDown(Power& power, Workstation& workstation, MessageBoxPort& messageBox);

    // The six actions of the schedule list; any other label does nothing.
    // An action the system refuses or cannot do shows a box naming it and
    // the system's reason.
    void RunPowerAction(const ActionLabel& label) override;
    void MonitorOff() override;

private:
    void EnableShutdownPrivilege();
    void ReportStep(std::string_view call, std::uint32_t lastError);
    Outcome EndSession(SessionEnd how);
    Outcome Hibernate();

    Power& power_;
    Workstation& workstation_;
    MessageBoxPort& messageBox_;
};

}  // namespace tavrin
