#include "platform/win32/hotkey_registrar_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {
namespace {

UniqueWindow MessageWindow() {
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

// The e2e suite shows the program's keys registered; this, what the system
// makes of an identifier and a key already held.
TEST(HotkeyRegistrarAdapter, AKeyBelongsToOneWindowUntilItIsDropped) {
    UniqueWindow first = MessageWindow(), second = MessageWindow();
    ASSERT_TRUE(first && second);
    Win32HotkeyRegistrar keys{first.get()}, other;
    EXPECT_EQ(other.Register({117, 0, VK_F6}), HotkeyStatus::Failed);  // no window yet
    other.Attach(second.get());
    EXPECT_EQ(keys.Register({117, 0, VK_F6}), HotkeyStatus::Ok);
    EXPECT_EQ(other.Register({5, 0, VK_F6}), HotkeyStatus::Failed);
    EXPECT_EQ(keys.Unregister(117), HotkeyStatus::Ok);
    EXPECT_EQ(keys.Unregister(117), HotkeyStatus::Failed);  // nothing held under it any more
    EXPECT_EQ(other.Register({5, 0, VK_F6}), HotkeyStatus::Ok);
}

}  // namespace
}  // namespace tavrin::win32
