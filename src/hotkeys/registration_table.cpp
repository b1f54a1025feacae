#include "hotkeys/registration_table.h"

namespace tavrin {

namespace {

constexpr HotkeyBinding Plain(unsigned key) { return {HotkeyId(kModNone, key), kModNoRepeat, key}; }
constexpr HotkeyBinding Ctrl(unsigned key) { return {HotkeyId(kModControl, key), kModControl | kModNoRepeat, key}; }

constexpr HotkeyBinding kF6ToF8[] = {Plain(kVkF6), Plain(kVkF7), Plain(kVkF8)};
constexpr HotkeyBinding kF9ToF11[] = {Plain(kVkF9), Plain(kVkF10), Plain(kVkF11)};
constexpr HotkeyBinding kCtrlF9ToF12[] = {Ctrl(kVkF9), Ctrl(kVkF10), Ctrl(kVkF11), Ctrl(kVkF12)};

// Every identifier a group may hold, in the order it is dropped: the plain
// keys first, then the Ctrl keys.
constexpr int kPlainIds[] = {0x75, 0x76, 0x77, 0x78, 0x79, 0x7A};
constexpr int kPowerIds[] = {0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x278, 0x279, 0x27A, 0x27B};

static_assert(HotkeyId(kModControl, kVkF12) <= 0xBFFF);

}  // namespace

std::span<const HotkeyBinding> PowerKeyRows(std::int16_t powerKeySet) {
    switch (powerKeySet) {
        case 1:
            return kF6ToF8;
        case 2:
            return kF9ToF11;
        case 3:
            return kCtrlF9ToF12;
        default:
            return {};
    }
}

std::span<const HotkeyBinding> VolumeKeyRows(std::int16_t volumeKeySet) {
    if (volumeKeySet == 1) return kF6ToF8;
    return kF9ToF11;
}

std::span<const int> PowerKeyIds() { return kPowerIds; }

std::span<const int> VolumeKeyIds() { return kPlainIds; }

}  // namespace tavrin
