#include "platform/win32/hotkey_registrar_win32.h"

namespace tavrin::win32 {

static_assert(kModControl == MOD_CONTROL && kModNoRepeat == MOD_NOREPEAT);

HotkeyStatus Win32HotkeyRegistrar::Register(const HotkeyBinding& binding) {
    // Identifiers above 0xBFFF belong to shared libraries.
    if (window_ == nullptr || binding.id < 0 || binding.id > 0xBFFF) return HotkeyStatus::Failed;
    return RegisterHotKey(window_, binding.id, binding.modifiers, binding.key) ? HotkeyStatus::Ok
                                                                               : HotkeyStatus::Failed;
}

HotkeyStatus Win32HotkeyRegistrar::Unregister(int id) {
    if (window_ == nullptr) return HotkeyStatus::Failed;
    return UnregisterHotKey(window_, id) ? HotkeyStatus::Ok : HotkeyStatus::Failed;
}

}  // namespace tavrin::win32
