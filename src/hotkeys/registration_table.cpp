#include "hotkeys/registration_table.h"

#include <array>
#include <cstddef>

namespace tavrin {

namespace {

using Rows = std::span<const HotkeyBinding>;

constexpr HotkeyBinding Plain(unsigned key) { return {HotkeyId(kModNone, key), kModNoRepeat, key}; }
constexpr HotkeyBinding Ctrl(unsigned key) { return {HotkeyId(kModControl, key), kModControl | kModNoRepeat, key}; }

constexpr HotkeyBinding kF6ToF8[] = {Plain(kVkF6), Plain(kVkF7), Plain(kVkF8)};
constexpr HotkeyBinding kF9ToF11[] = {Plain(kVkF9), Plain(kVkF10), Plain(kVkF11)};
constexpr HotkeyBinding kCtrlF9ToF12[] = {Ctrl(kVkF9), Ctrl(kVkF10), Ctrl(kVkF11), Ctrl(kVkF12)};

// Indexed by the stored set less one.
constexpr Rows kPowerSets[] = {kF6ToF8, kF9ToF11, kCtrlF9ToF12};
constexpr Rows kVolumeSets[] = {kF6ToF8, kF9ToF11};

constexpr std::size_t KeyCount(std::span<const Rows> sets) {
    std::size_t n = 0;
    for (Rows set : sets) n += set.size();
    return n;
}

// A group drops every key of every set it may hold, whatever it holds now.
template <std::size_t N>
constexpr std::array<int, N> IdsOf(std::span<const Rows> sets) {
    std::array<int, N> ids{};
    std::size_t n = 0;
    for (Rows set : sets)
        for (const HotkeyBinding& key : set) ids[n++] = key.id;
    return ids;
}

constexpr auto kPowerIds = IdsOf<KeyCount(kPowerSets)>(kPowerSets);
constexpr auto kVolumeIds = IdsOf<KeyCount(kVolumeSets)>(kVolumeSets);

static_assert(HotkeyId(kModControl, kVkF12) <= 0xBFFF);

}  // namespace

std::span<const HotkeyBinding> PowerKeyRows(PowerKeySet set) {
    const auto at = static_cast<std::size_t>(static_cast<std::int16_t>(set) - 1);
    return at < std::size(kPowerSets) ? kPowerSets[at] : Rows{};
}

std::span<const HotkeyBinding> VolumeKeyRows(VolumeKeySet set) {
    return set == VolumeKeySet::F6ToF8 ? kF6ToF8 : kF9ToF11;
}

std::span<const int> PowerKeyIds() { return kPowerIds; }

std::span<const int> VolumeKeyIds() { return kVolumeIds; }

}  // namespace tavrin
