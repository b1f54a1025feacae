#include "hotkeys/registration_table.h"

namespace tavrin {

namespace {

constexpr HotkeyBinding Plain(unsigned key) { return {HotkeyId(kModNone, key), kModNone, key}; }
constexpr HotkeyBinding Ctrl(unsigned key) { return {HotkeyId(kModControl, key), kModControl, key}; }

constexpr HotkeyBinding kF6ToF8[] = {Plain(kVkF6), Plain(kVkF7), Plain(kVkF8)};
constexpr HotkeyBinding kF9ToF11[] = {Plain(kVkF9), Plain(kVkF10), Plain(kVkF11)};
constexpr HotkeyBinding kCtrlF9ToF12[] = {Ctrl(kVkF9), Ctrl(kVkF10), Ctrl(kVkF11), Ctrl(kVkF12)};

constexpr int kPlainIds[] = {HotkeyId(kModNone, kVkF6), HotkeyId(kModNone, kVkF7),  HotkeyId(kModNone, kVkF8),
                             HotkeyId(kModNone, kVkF9), HotkeyId(kModNone, kVkF10), HotkeyId(kModNone, kVkF11)};
constexpr int kPowerIds[] = {kPlainIds[0],
                             kPlainIds[1],
                             kPlainIds[2],
                             kPlainIds[3],
                             kPlainIds[4],
                             kPlainIds[5],
                             HotkeyId(kModControl, kVkF9),
                             HotkeyId(kModControl, kVkF10),
                             HotkeyId(kModControl, kVkF11),
                             HotkeyId(kModControl, kVkF12)};

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
