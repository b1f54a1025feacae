#pragma once
#include <cstdint>
#include <string>

#include "power/action_label.h"

namespace tavrin {

// What the schedule holds for the next action, for views outside its pane.
struct ScheduleStatus {
    enum class State { Idle, Armed, Postponed };
    State state = State::Idle;
    ActionLabel label;
    std::int64_t secondsLeft = 0;
    std::string moment;  // the local date and time at which it comes, as text
};

}  // namespace tavrin
