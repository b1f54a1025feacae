#pragma once

#include "settings/key_sets.h"
#include "settings/setup_info.h"

namespace tavrin {

// Both hotkey groups as the record holds them; a group is on when its
// switch is exactly 1.
struct KeyGroups {
    bool powerOn;
    PowerKeySet power;
    bool volumeOn;
    VolumeKeySet volume;
    friend bool operator==(const KeyGroups&, const KeyGroups&) = default;
};

enum class KeyGroup { Power, Volume };

// The groups after `kept` took the set it holds: when both are on and share
// F6-F8 or F9-F11, the other group moves to the other of the two. Nothing
// else changes, a damaged set included.
KeyGroups SeparateKeyGroups(KeyGroups groups, KeyGroup kept);

KeyGroups KeyGroupsOf(const SetupInfo& info);

// Whether the two sets are the same F6-F8 or F9-F11, whatever the switches.
bool OnSameFKeys(PowerKeySet power, VolumeKeySet volume);

}  // namespace tavrin
