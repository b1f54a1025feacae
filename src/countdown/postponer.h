#pragma once
#include <cstdint>

#include "power/action_label.h"

namespace tavrin {

// Takes an action whose countdown the user put off and brings it back later
// through a new countdown dialog of the same length.
class Postponer {
public:
    virtual ~Postponer() = default;
    virtual void Postpone(const ActionLabel& label, std::int16_t countSeconds) = 0;
};

}  // namespace tavrin
