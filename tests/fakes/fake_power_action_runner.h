#pragma once
#include <vector>

#include "power/power_action_runner.h"

namespace tavrin::testing {

// Writes down every power action that would have run at once.
class FakePowerActionRunner final : public PowerActionRunner {
public:
    void RunPowerAction(const ActionLabel& label) override { ran.push_back(label); }
    std::vector<ActionLabel> ran;
};

}  // namespace tavrin::testing
