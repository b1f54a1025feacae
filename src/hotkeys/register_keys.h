#pragma once
#include <span>
#include <string>

#include "ports/hotkey_registrar.h"

namespace tavrin {

// Registers a group's keys and returns the line its pane shows under the
// options for the keys another program holds ("F6、Ctrl+F9 已被其他程序占用");
// empty when every key was registered.
std::string RegisterKeys(HotkeyRegistrar& registrar, std::span<const HotkeyBinding> keys);

}  // namespace tavrin
