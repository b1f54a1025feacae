#pragma once
#include <optional>
#include <string>
#include <vector>

#include "common/ole_date.h"

namespace tavrin {

// What a control's on-screen twin is told when the model changes. The Win32
// layer implements the calls that apply to its control; tests bind none.
// None of these may report back into the model.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void ShowCaption(const std::string&) {}
    virtual void ShowEnabled(bool) {}
    virtual void ShowVisible(bool) {}
    virtual void ShowValue(int) {}                              // check box, option button
    virtual void ShowItems(const std::vector<std::string>&) {}  // list entries
    virtual void ShowSelection(int) {}                          // list index, -1 for none
    virtual void ShowDate(std::optional<OleDate>) {}            // picker; nullopt clears its box
    virtual void TakeFocus() {}                                 // the keyboard focus moves here
};

// A window timer's twin: SetTimer / KillTimer.
class TimerView {
public:
    virtual ~TimerView() = default;
    virtual void Apply(bool enabled, unsigned intervalMs) = 0;
};

}  // namespace tavrin
