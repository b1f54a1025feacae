#include "hotkeys/register_keys.h"

namespace tavrin {

namespace {

constexpr unsigned kVkF1 = 0x70;

std::string KeyName(const HotkeyBinding& key) {
    return std::string((key.modifiers & kModControl) != 0 ? "Ctrl+" : "") + "F" + std::to_string(key.key - kVkF1 + 1);
}

}  // namespace

std::string RegisterKeys(HotkeyRegistrar& registrar, std::span<const HotkeyBinding> keys) {
    std::string taken;
    for (const HotkeyBinding& key : keys)
        if (registrar.Register(key) != HotkeyStatus::Ok) taken += (taken.empty() ? "" : "、") + KeyName(key);
    return taken.empty() ? taken : taken + " 已被其他程序占用";
}

}  // namespace tavrin
