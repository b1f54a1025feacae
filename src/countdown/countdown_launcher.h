#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "power/action_label.h"

namespace tavrin {

// A countdown dialog still counting towards its action.
struct PendingCountdown {
    ActionLabel label;
    std::int16_t secondsLeft = 0;
};

// The one way an action is made cancellable: every call creates a new
// countdown dialog and starts it with DoTask. Several may count at once.
class CountdownLauncher {
public:
    virtual ~CountdownLauncher() = default;
    virtual void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) = 0;
    // A key press: while a dialog that a key started for the same action is
    // open, that one comes to the front and no other opens.
    virtual void DoKeyTask(const ActionLabel& label, std::int16_t seconds) = 0;
    // The dialogs counting towards an action now; reminders are none.
    virtual std::vector<PendingCountdown> Pending() const = 0;
    // Cancels each as its "取消" does; false when none was counting.
    virtual bool CancelAll() = 0;
};

}  // namespace tavrin
