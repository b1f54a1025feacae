#include "platform/win32/hotkey_registrar_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/unique_handle.h"

namespace tavrin::win32 {
namespace {

UniqueWindow MessageWindow() {
    return UniqueWindow(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

// Asks for a combination from a window of its own: it fails while anybody
// holds the combination.
class Probe {
public:
    bool Held(unsigned modifiers, unsigned key) {
        if (!RegisterHotKey(window_.get(), 0xBFFF, modifiers, key)) return true;
        UnregisterHotKey(window_.get(), 0xBFFF);
        return false;
    }

private:
    UniqueWindow window_ = MessageWindow();
};

class HotkeyRegistrarAdapter : public ::testing::Test {
protected:
    UniqueWindow first = MessageWindow(), second = MessageWindow();
    Win32HotkeyRegistrar keys{first.get()};
    Probe probe;
};

TEST_F(HotkeyRegistrarAdapter, AKeyBelongsToOneWindowUntilItIsDropped) {
    ASSERT_TRUE(first && second);
    Win32HotkeyRegistrar other;
    EXPECT_EQ(other.Register({117, 0, VK_F6}), HotkeyStatus::Failed);  // no window yet
    other.Attach(second.get());
    EXPECT_EQ(keys.Register({117, 0, VK_F6}), HotkeyStatus::Ok);
    EXPECT_EQ(other.Register({117, 0, VK_F6}), HotkeyStatus::Failed);
    EXPECT_EQ(other.Register({5, 0, VK_F6}), HotkeyStatus::Failed);
    EXPECT_EQ(keys.Unregister(117), HotkeyStatus::Ok);
    EXPECT_EQ(keys.Unregister(117), HotkeyStatus::Failed);  // nothing held under it any more
    for (int id : {0xC000, -1}) EXPECT_EQ(other.Register({id, 0, VK_F6}), HotkeyStatus::Failed) << "case: " << id;
    EXPECT_EQ(other.Register({117, 0, VK_F6}), HotkeyStatus::Ok);
    EXPECT_EQ(other.Unregister(117), HotkeyStatus::Ok);
}

// Under one shared identifier only the last Ctrl key would stay registered.
TEST_F(HotkeyRegistrarAdapter, TheFourCtrlKeysAreHeldAndDroppedOneByOne) {
    const HotkeyBinding ctrl[] = {{0x278, MOD_CONTROL, VK_F9},
                                  {0x279, MOD_CONTROL, VK_F10},
                                  {0x27A, MOD_CONTROL, VK_F11},
                                  {0x27B, MOD_CONTROL, VK_F12}};
    for (const HotkeyBinding& b : ctrl) EXPECT_EQ(keys.Register(b), HotkeyStatus::Ok) << "case: " << b.id;
    for (const HotkeyBinding& b : ctrl) EXPECT_TRUE(probe.Held(MOD_CONTROL, b.key)) << "case: " << b.id;
    EXPECT_FALSE(probe.Held(0, VK_F9));  // plain F9 stays free for other programs
    for (const HotkeyBinding& b : ctrl) {
        EXPECT_EQ(keys.Unregister(b.id), HotkeyStatus::Ok);
        EXPECT_FALSE(probe.Held(MOD_CONTROL, b.key)) << "case: " << b.id;
    }
}

}  // namespace
}  // namespace tavrin::win32
