#pragma once
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fakes/fake_audio_endpoint.h"
#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_hotkeys.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "mixer/module_sound.h"

namespace tavrin::testing {

using Keys = std::set<FakeHotkeySystem::Combination>;
inline const Keys kF6ToF8 = {{0, 0x75}, {0, 0x76}, {0, 0x77}};
inline const Keys kF9ToF11 = {{0, 0x78}, {0, 0x79}, {0, 0x7A}};
inline const Keys kCtrlF9ToF12 = {{2, 0x78}, {2, 0x79}, {2, 0x7A}, {2, 0x7B}};
inline const Keys kNone;

// Both hotkey panes as the main window holds them: children of one host,
// connected to each other, over one settings record and one hotkey table.
struct KeyPaneWorld : SettingsRig {
    KeyPaneWorld() {
        keyOff.Connect(keyVol);
        keyVol.Connect(keyOff);
        for (Form* f : {static_cast<Form*>(&keyOff), static_cast<Form*>(&keyVol), &otherPane}) f->SetHost(&host);
        ResetSetupInfo(store.Info(), clock);
    }
    void Record(std::int16_t powerOn, std::int16_t powerSet, std::int16_t volumeOn, std::int16_t volumeSet) {
        Info().PowerKeysEnabled = powerOn;
        Info().PowerKeySet = powerSet;
        Info().VolumeKeysEnabled = volumeOn;
        Info().VolumeKeySet = volumeSet;
    }
    // Loads both panes and shows them as the main window's first activation
    // does, the power pane last and so in front.
    void StartShown() {
        keyOff.Load();
        keyVol.Load();
        keyVol.Show();
        keyOff.Show();
    }
    Keys PowerKeys() const { return system.Keys("FormKeyOff"); }
    Keys VolumeKeys() const { return system.Keys("FormKeyVol"); }
    // Each group holds exactly the keys its settings ask for, so none twice,
    // and the record on disk is the one in memory.
    void ExpectSettled(const std::string& what) {
        const SetupInfo& i = Info();
        const Keys power = i.PowerKeySet == 1   ? kF6ToF8
                           : i.PowerKeySet == 2 ? kF9ToF11
                           : i.PowerKeySet == 3 ? kCtrlF9ToF12
                                                : kNone;
        EXPECT_EQ(PowerKeys(), i.PowerKeysEnabled == 1 ? power : kNone) << what;
        EXPECT_EQ(VolumeKeys(), i.VolumeKeysEnabled != 1 ? kNone : i.VolumeKeySet == 1 ? kF6ToF8 : kF9ToF11) << what;
        for (const auto& key : PowerKeys()) EXPECT_EQ(VolumeKeys().count(key), 0u) << what;
        EXPECT_EQ(Stored(), i) << what;
    }

    FakeHotkeySystem system;
    FakeHotkeyRegistrar powerRegistrar{system, "FormKeyOff"};
    FakeHotkeyRegistrar volumeRegistrar{system, "FormKeyVol"};
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FakeAudioEndpoint device;
    ModuleSound sound{device};
    FormHost host;
    Form otherPane{"定时关机"};
    FormKeyOff keyOff{store, powerRegistrar, countdown, power};
    FormKeyVol keyVol{store, volumeRegistrar, sound};
};

class KeyPanes : public ::testing::Test, public KeyPaneWorld {};

}  // namespace tavrin::testing
