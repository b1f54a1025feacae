#pragma once
#include <cstdint>
#include <string_view>

namespace tavrin {

enum class VolumeKeyAction { None, VolumeDown, VolumeUp, ToggleMute };

// What a hotkey does is looked up by its virtual-key code alone: the
// modifiers and the identifier play no part, so Ctrl+F9 acts as F9.
// The label is an ActionLabel, empty for a key outside the table.
std::string_view PowerKeyLabel(unsigned key);
VolumeKeyAction VolumeKeyActionOf(unsigned key);

// A hotkey message's lParam holds the modifiers in its low 16 bits and the
// key code in the 16 above them.
constexpr unsigned HotkeyKeyCode(std::intptr_t lParam) {
    return static_cast<unsigned>((static_cast<std::uintptr_t>(lParam) >> 16) & 0xFFFFu);
}

}  // namespace tavrin
