#pragma once
#include <cstdint>

namespace tavrin {

// The keys each hotkey group may take, as the record stores them. A damaged
// record may hold any other value; the panes say how they read one.
enum class PowerKeySet : std::int16_t { F6ToF8 = 1, F9ToF11 = 2, CtrlF9ToF12 = 3 };
enum class VolumeKeySet : std::int16_t { F6ToF8 = 1, F9ToF11 = 2 };

}  // namespace tavrin
