#include "hotkeys/taken_keys.h"

namespace tavrin {

namespace {

constexpr unsigned kVkF1 = 0x70;

std::string KeyName(const HotkeyBinding& key) {
    return std::string((key.modifiers & kModControl) != 0 ? "Ctrl+" : "") + "F" + std::to_string(key.key - kVkF1 + 1);
}

}  // namespace

std::string TakenKeysText(std::span<const HotkeyBinding> taken) {
    if (taken.empty()) return {};
    std::string text;
    for (const HotkeyBinding& key : taken) text += (text.empty() ? "" : "、") + KeyName(key);
    return text + " 已被其他程序占用";
}

}  // namespace tavrin
