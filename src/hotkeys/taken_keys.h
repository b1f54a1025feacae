#pragma once
#include <span>
#include <string>

#include "ports/hotkey_registrar.h"

namespace tavrin {

// The line a hotkey pane shows under its options when some of its keys could
// not be registered, naming them ("F6、Ctrl+F9 已被其他程序占用"); empty
// when every key was.
std::string TakenKeysText(std::span<const HotkeyBinding> taken);

}  // namespace tavrin
