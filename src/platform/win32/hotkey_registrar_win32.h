#pragma once
#include <windows.h>

#include "ports/hotkey_registrar.h"

namespace tavrin::win32 {

// The system-wide keys of one window. The pane's view attaches its window
// once it exists; until then a registration fails rather than going to the
// thread's message queue.
class Win32HotkeyRegistrar final : public HotkeyRegistrar {
public:
    explicit Win32HotkeyRegistrar(HWND window = nullptr) : window_(window) {}
    void Attach(HWND window) { window_ = window; }
    HWND Window() const { return window_; }

    HotkeyStatus Register(const HotkeyBinding& binding) override;
    HotkeyStatus Unregister(int id) override;

private:
    HWND window_;
};

}  // namespace tavrin::win32
