#pragma once
#include <cstdint>
#include <string>

#include "power/action_label.h"

namespace tavrin {

// The one way an action is made cancellable: every call creates a new
// countdown dialog and starts it with DoTask. Several may count at once.
class CountdownLauncher {
public:
    virtual ~CountdownLauncher() = default;
    virtual void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) = 0;
    // A key press: while a dialog that a key started for the same action is
    // open, that one comes to the front and no other opens.
    virtual void DoKeyTask(const ActionLabel& label, std::int16_t seconds) = 0;
};

}  // namespace tavrin
