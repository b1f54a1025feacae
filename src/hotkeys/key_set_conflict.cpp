#include "hotkeys/key_set_conflict.h"

#include <cstdint>

namespace tavrin {

KeyGroups SeparateKeyGroups(KeyGroups groups, KeyGroup kept) {
    const auto power = static_cast<std::int16_t>(groups.power);
    const bool shared = power == static_cast<std::int16_t>(groups.volume) && (power == 1 || power == 2);
    if (!groups.powerOn || !groups.volumeOn || !shared) return groups;
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
