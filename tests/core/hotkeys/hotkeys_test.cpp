#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <variant>

#include "fakes/fake_audio_endpoint.h"
#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_hotkeys.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "hotkeys/hidden_start.h"
#include "mixer/module_sound.h"

namespace tavrin::testing {
namespace {

using Keys = std::set<FakeHotkeySystem::Combination>;
const Keys kF6ToF8 = {{0x4000, 0x75}, {0x4000, 0x76}, {0x4000, 0x77}};
const Keys kF9ToF11 = {{0x4000, 0x78}, {0x4000, 0x79}, {0x4000, 0x7A}};
const Keys kCtrlF9ToF12 = {{0x4002, 0x78}, {0x4002, 0x79}, {0x4002, 0x7A}, {0x4002, 0x7B}};

// Windows that note when they come to the front.
struct FrontTrace : FormView {
    FrontTrace(std::vector<Form*>& order, Form& form) : order(order), form(form) { form.Bind(this); }
    void BringToFront() override { order.push_back(&form); }
    std::vector<Form*>& order;
    Form& form;
};

// Both hotkey panes as the main window holds them, over the default record.
struct KeyPanes : ::testing::Test, SettingsRig {
    KeyPanes() {
        keyOff.Connect(keyVol), keyVol.Connect(keyOff), ResetSetupInfo(Info(), clock);
        keyOff.SetHost(&host), keyVol.SetHost(&host);
    }
    std::pair<Keys, Keys> Held() const { return {system.Keys("FormKeyOff"), system.Keys("FormKeyVol")}; }
    long Saves() {  // of the record, since the last call
        const auto n = std::count(registry.log.begin(), registry.log.end(),
                                  std::string("HKCU\\") + kSettingsKey + ": write " + kSettingsValue);
        registry.log.clear();
        return n;
    }

    FakeHotkeySystem system;
    FakeHotkeyRegistrar powerKeys{system, "FormKeyOff"}, volumeKeys{system, "FormKeyVol"};
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FakeAudioEndpoint device;
    ModuleSound sound{device};
    FormKeyOff keyOff{store, powerKeys, countdown, power};
    FormKeyVol keyVol{store, volumeKeys, sound};
    FormHost host;
    std::vector<Form*> front;
    FrontTrace offView{front, keyOff}, volView{front, keyVol};
};

// From a damaged record: each click renews both groups on disjoint keys, each
// pane shows its stored set, and the record is saved, once more by each
// handler a click runs in turn. A group that moves comes to the front and
// hands it back.
TEST_F(KeyPanes, BothPanesApplyTheRuleThatKeepsTheGroupsApart) {
    Info().PowerKeySet = PowerKeySet{7};    // registers nothing, leaves the options
    Info().VolumeKeySet = VolumeKeySet{9};  // counts as F9-F11
    keyVol.Show();
    keyOff.Show();
    EXPECT_EQ(Held(), std::pair(Keys{}, kF9ToF11));
    // A switch turned on over the set the other group holds runs that set's
    // handler too, and so saves once more.
    CheckBox *offSwitch = &keyOff.Check1, *volSwitch = &keyVol.Check1;
    const struct {
        std::variant<OptionButton*, CheckBox*> click;
        Keys power, volume;
        OptionButton *powerShown, *volumeShown;
        long saves;
        std::vector<Form*> front;
    } steps[] = {
        {&keyOff.Option2, kF9ToF11, kF6ToF8, &keyOff.Option2, &keyVol.Option1, 2, {&keyVol, &keyOff}},
        {&keyOff.Option1, kF6ToF8, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 2, {&keyVol, &keyOff}},
        {&keyVol.Option1, kF9ToF11, kF6ToF8, &keyOff.Option2, &keyVol.Option1, 2, {&keyOff, &keyVol}},
        {&keyVol.Option2, kF6ToF8, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 2, {&keyOff, &keyVol}},
        {offSwitch, {}, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 1, {}},
        {&keyVol.Option1, {}, kF6ToF8, &keyOff.Option1, &keyVol.Option1, 1, {}},
        {offSwitch, kF6ToF8, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 3, {&keyVol, &keyOff}},
        {&keyOff.Option3, kCtrlF9ToF12, kF9ToF11, &keyOff.Option3, &keyVol.Option2, 1, {}},
        {&keyOff.Option1, kF6ToF8, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 1, {}},
        {volSwitch, kF6ToF8, {}, &keyOff.Option1, &keyVol.Option2, 1, {}},
        {&keyOff.Option2, kF9ToF11, {}, &keyOff.Option2, &keyVol.Option2, 1, {}},  // nor does one that is off
        {volSwitch, kF6ToF8, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 3, {&keyOff, &keyVol}},
        {offSwitch, {}, kF9ToF11, &keyOff.Option1, &keyVol.Option2, 1, {}},
        {&keyVol.Option1, {}, kF6ToF8, &keyOff.Option1, &keyVol.Option1, 1, {}},
        {volSwitch, {}, {}, &keyOff.Option1, &keyVol.Option1, 1, {}},
        {offSwitch, kF6ToF8, {}, &keyOff.Option1, &keyVol.Option1, 2, {}},
    };
    for (const auto& s : steps) {
        (void)Saves(), front.clear();
        std::visit([](auto* control) { control->Click(); }, s.click);
        SCOPED_TRACE("case: step " + std::to_string(&s - steps + 1));
        EXPECT_EQ(Held(), std::pair(s.power, s.volume));
        EXPECT_EQ(std::pair(keyOff.KeySets.Selected(), keyVol.KeySets.Selected()),
                  std::pair(s.powerShown, s.volumeShown));
        EXPECT_EQ(std::pair(Stored(), Saves()), std::pair(Info(), s.saves));
        EXPECT_EQ(front, s.front);
    }
}

// A group stored off loads with its switch clear and its choices greyed.
TEST_F(KeyPanes, AGroupStoredOffLoadsClearAndGreyed) {
    Info().PowerKeysEnabled = Info().VolumeKeysEnabled = 0;
    keyOff.Load();
    keyVol.Load();
    EXPECT_EQ(
        std::tuple(keyOff.Check1.Value(), keyOff.Option3.Enabled(), keyVol.Check1.Value(), keyVol.Option1.Enabled()),
        std::tuple(0, false, 0, false));
}

// Without the main window shown no pane is activated: the groups are
// registered once the panes are loaded. A key another program holds is named
// under the options.
TEST_F(KeyPanes, AHiddenStartRegistersTheLoadedGroupsWhoseKeysThenAct) {
    RegisterAllAfterHiddenLoad(keyOff, keyVol);
    EXPECT_EQ(Held(), std::pair(Keys{}, Keys{}));
    FakeHotkeyRegistrar otherProgram{system, "other"};
    for (unsigned id : {0x278u, 0x27Bu, 0x79u}) (void)otherProgram.Register({static_cast<int>(id), id >> 8, id & 0xFF});
    Info().VolumeKeySet = VolumeKeySet{5};  // counts as F9-F11
    keyOff.Load();
    keyVol.Load();
    RegisterAllAfterHiddenLoad(keyOff, keyVol);
    EXPECT_EQ(Held(), std::pair(Keys{{0x4002, 0x79}, {0x4002, 0x7A}}, Keys{{0x4000, 0x78}, {0x4000, 0x7A}}));
    EXPECT_EQ(keyOff.LabelKeysTaken.Caption(), "Ctrl+F9、Ctrl+F12 已被其他程序占用");
    EXPECT_EQ(keyVol.LabelKeysTaken.Caption(), "F10 已被其他程序占用");
    // Only the key code counts; the modifiers play no part.
    device.levels = {32768};
    for (std::intptr_t lParam : {0x760000, 0x760002, 0x7A0000, 0x780000, 0x740000}) keyVol.DoVolumeKey(lParam);
    EXPECT_EQ(std::pair(device.levels[0], device.muted), std::pair(39322, true));  // up, up, mute, down
}

}  // namespace
}  // namespace tavrin::testing
