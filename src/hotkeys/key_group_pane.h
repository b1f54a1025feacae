#pragma once

namespace tavrin {

// What one hotkey pane may ask of the other: after the rule that keeps the
// groups apart moved the other group, that pane shows the set the record
// now holds and renews its keys, then takes the focus, which it hands back.
class KeyGroupPane {
public:
    virtual void ShowStoredKeys() = 0;
    virtual void TakeFocus() = 0;

protected:
    ~KeyGroupPane() = default;
};

}  // namespace tavrin
