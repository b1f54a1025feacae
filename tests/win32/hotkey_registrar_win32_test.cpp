#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "mixer/module_sound.h"
#include "platform/win32/audio_endpoint_win32.h"
#include "platform/win32/hotkey_registrar_win32.h"
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

// The two panes over real registrations: moving the other group aside ends
// with every key of both groups held, each by its own window.
TEST_F(HotkeyRegistrarAdapter, ThePanesEndOnTheirOwnKeysAfterAConflictMove) {
    testing::SettingsRig settings;
    SetupStore& store = settings.store;
    ResetSetupInfo(store.Info(), settings.clock);
    store.Info().PowerKeySet = 2;
    testing::FakeCountdownLauncher countdown;
    testing::FakePowerActionRunner power;
    Win32AudioEndpoint endpoint([](IAudioEndpointVolume**) { return HRESULT_FROM_WIN32(ERROR_NOT_FOUND); });
    ModuleSound sound(endpoint);
    Win32HotkeyRegistrar volumeKeys(second.get());
    FormHost host;
    FormKeyOff keyOff(store, keys, countdown, power);
    FormKeyVol keyVol(store, volumeKeys, sound);
    keyOff.Connect(keyVol);
    keyVol.Connect(keyOff);
    keyOff.SetHost(&host);
    keyVol.SetHost(&host);
    keyOff.Load();
    keyVol.Load();
    keyVol.Show();
    keyOff.Show();
    keyOff.Option1.Click();  // power to F6-F8, so volume to F9-F11
    EXPECT_EQ(store.Info().VolumeKeySet, 2);
    for (UINT key : {VK_F6, VK_F7, VK_F8, VK_F9, VK_F10, VK_F11}) EXPECT_TRUE(probe.Held(0, key)) << "case: " << key;
    for (UINT key : {VK_F6, VK_F7, VK_F8}) {
        EXPECT_EQ(keys.Unregister(static_cast<int>(key)), HotkeyStatus::Ok) << "case: " << key;
        EXPECT_EQ(volumeKeys.Unregister(static_cast<int>(key)), HotkeyStatus::Failed) << "case: " << key;
    }
    for (UINT key : {VK_F9, VK_F10, VK_F11})
        EXPECT_EQ(volumeKeys.Unregister(static_cast<int>(key)), HotkeyStatus::Ok) << "case: " << key;
}

}  // namespace
}  // namespace tavrin::win32
