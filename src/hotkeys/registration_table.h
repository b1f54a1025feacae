#pragma once
#include <span>

#include "ports/hotkey_registrar.h"
#include "settings/key_sets.h"

namespace tavrin {

// Virtual-key codes of the keys the two groups use.
inline constexpr unsigned kVkF6 = 0x75;
inline constexpr unsigned kVkF7 = 0x76;
inline constexpr unsigned kVkF8 = 0x77;
inline constexpr unsigned kVkF9 = 0x78;
inline constexpr unsigned kVkF10 = 0x79;
inline constexpr unsigned kVkF11 = 0x7A;
inline constexpr unsigned kVkF12 = 0x7B;

// A plain key's identifier is its key code; a Ctrl key's carries the
// modifier above it. Every key thus has an identifier of its own inside the
// range applications may use (0x0000-0xBFFF): a window that registered two
// keys under one identifier would keep only the last on some systems.
constexpr int HotkeyId(unsigned modifiers, unsigned key) { return static_cast<int>((modifiers << 8) | key); }

// The power window's keys, in registration order; none for a damaged set.
std::span<const HotkeyBinding> PowerKeyRows(PowerKeySet set);
// The volume window's keys: F6-F8 for set 1, F9-F11 for any other value.
std::span<const HotkeyBinding> VolumeKeyRows(VolumeKeySet set);

// Every identifier a window's group may hold, in the order it is dropped.
std::span<const int> PowerKeyIds();
std::span<const int> VolumeKeyIds();

}  // namespace tavrin
