#include "hotkeys/key_set_conflict.h"

#include <cstdint>

namespace tavrin {

bool OnSameFKeys(PowerKeySet power, VolumeKeySet volume) {
    const auto set = static_cast<std::int16_t>(power);
    return set == static_cast<std::int16_t>(volume) && (set == 1 || set == 2);
}

KeyGroups SeparateKeyGroups(KeyGroups groups, KeyGroup kept) {
    if (!groups.powerOn || !groups.volumeOn || !OnSameFKeys(groups.power, groups.volume)) return groups;
    const auto power = static_cast<std::int16_t>(groups.power);
    const std::int16_t other = power == 1 ? 2 : 1;
    if (kept == KeyGroup::Power)
        groups.volume = static_cast<VolumeKeySet>(other);
    else
        groups.power = static_cast<PowerKeySet>(other);
    return groups;
}

KeyGroups KeyGroupsOf(const SetupInfo& info) {
    return {info.PowerKeysEnabled == 1, info.PowerKeySet, info.VolumeKeysEnabled == 1, info.VolumeKeySet};
}

}  // namespace tavrin
