#pragma once

namespace tavrin {

// Modifier bits with the platform's values.
inline constexpr unsigned kModNone = 0;
inline constexpr unsigned kModControl = 2;
// A held key sends one press, not a stream of repeats.
inline constexpr unsigned kModNoRepeat = 0x4000;

// One system-wide key: the window's own identifier for it, the modifiers
// that must be held, and the virtual-key code.
struct HotkeyBinding {
    int id;
    unsigned modifiers;
    unsigned key;
    friend bool operator==(const HotkeyBinding&, const HotkeyBinding&) = default;
};

enum class HotkeyStatus { Ok, Failed };

// The system-wide keys of one window. A key combination belongs to one
// registration at a time: asking for one that anybody already holds fails.
class HotkeyRegistrar {
public:
    virtual ~HotkeyRegistrar() = default;
    [[nodiscard]] virtual HotkeyStatus Register(const HotkeyBinding& binding) = 0;
    // Failed when the window holds nothing under that identifier.
    [[nodiscard]] virtual HotkeyStatus Unregister(int id) = 0;
};

}  // namespace tavrin
