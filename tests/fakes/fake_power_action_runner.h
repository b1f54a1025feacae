#pragma once
#include <functional>
#include <vector>

#include "power/power_action_runner.h"

namespace tavrin::testing {

// Writes down every power action that would have run.
class FakePowerActionRunner final : public PowerActionRunner {
public:
    void RunPowerAction(const ActionLabel& label) override {
        actions.push_back(label);
        if (during) during();
    }
    void MonitorOff() override { actions.push_back("monitor off"); }

    std::vector<ActionLabel> actions;
    std::function<void()> during;  // runs inside the call, as a modal message box would
};

}  // namespace tavrin::testing
