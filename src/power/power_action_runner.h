#pragma once
#include "power/action_label.h"

namespace tavrin {

// Runs one of the six schedule actions at once; any other label does nothing.
class PowerActionRunner {
public:
    virtual ~PowerActionRunner() = default;
    virtual void RunPowerAction(const ActionLabel& label) = 0;
    // The countdown dialog's own action, outside the schedule's list.
    virtual void MonitorOff() = 0;
};

}  // namespace tavrin
