#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "app/module_main.h"
#include "fakes/fake_audio_endpoint.h"
#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_hotkeys.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/fake_shell.h"
#include "fakes/settings_rig.h"
#include "hotkeys/dispatch_table.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "hotkeys/hidden_start.h"
#include "mixer/module_sound.h"

namespace tavrin::testing {
namespace {

using Keys = std::set<FakeHotkeySystem::Combination>;
const Keys kF6ToF8 = {{0, 0x75}, {0, 0x76}, {0, 0x77}};
const Keys kF9ToF11 = {{0, 0x78}, {0, 0x79}, {0, 0x7A}};
const Keys kCtrlF9ToF12 = {{2, 0x78}, {2, 0x79}, {2, 0x7A}, {2, 0x7B}};
const Keys kNone;

// The lParam of a hotkey message.
std::intptr_t HotkeyLParam(unsigned key, unsigned modifiers) {
    return static_cast<std::intptr_t>(key << 16 | modifiers);
}

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
        Info().PowerKeySet = PowerKeySet(powerSet);
        Info().VolumeKeysEnabled = volumeOn;
        Info().VolumeKeySet = VolumeKeySet(volumeSet);
    }
    std::string RecordName() {
        return "record " + std::to_string(Info().PowerKeysEnabled) + std::to_string(int(Info().PowerKeySet)) +
               std::to_string(Info().VolumeKeysEnabled) + std::to_string(int(Info().VolumeKeySet));
    }
    // Loads both panes and shows them as the main window's first activation
    // does, the power pane last and so in front.
    void StartShown() {
        keyOff.Load();
        keyVol.Load();
        keyVol.Show();
        keyOff.Show();
    }
    // Each pane's box shows whether its group is on, and its choices are
    // greyed exactly while it is off.
    void ExpectBoxesShown(const std::string& what) {
        const bool powerOn = Info().PowerKeysEnabled == 1, volumeOn = Info().VolumeKeysEnabled == 1;
        EXPECT_EQ(std::pair(keyOff.Check1.Value(), keyVol.Check1.Value()), std::pair(int{powerOn}, int{volumeOn}))
            << what;
        for (const Control* c : std::initializer_list<const Control*>{&keyOff.Option1, &keyOff.Option2, &keyOff.Option3,
                                                                      &keyOff.Label1, &keyOff.Check2})
            EXPECT_EQ(c->Enabled(), powerOn) << what;
        for (const Control* c : std::initializer_list<const Control*>{&keyVol.Option1, &keyVol.Option2, &keyVol.Label1})
            EXPECT_EQ(c->Enabled(), volumeOn) << what;
    }
    Keys PowerKeys() const { return system.Keys("FormKeyOff"); }
    Keys VolumeKeys() const { return system.Keys("FormKeyVol"); }
    // Each group holds exactly the keys its settings ask for, so none twice,
    // and the record on disk is the one in memory.
    void ExpectSettled(const std::string& what) {
        const SetupInfo& i = Info();
        const Keys power = int(i.PowerKeySet) == 1   ? kF6ToF8
                           : int(i.PowerKeySet) == 2 ? kF9ToF11
                           : int(i.PowerKeySet) == 3 ? kCtrlF9ToF12
                                                : kNone;
        EXPECT_EQ(PowerKeys(), i.PowerKeysEnabled == 1 ? power : kNone) << what;
        EXPECT_EQ(VolumeKeys(), i.VolumeKeysEnabled != 1 ? kNone : int(i.VolumeKeySet) == 1 ? kF6ToF8 : kF9ToF11) << what;
        for (const auto& key : PowerKeys()) EXPECT_EQ(VolumeKeys().count(key), 0u) << what;
        EXPECT_EQ(Stored(), i) << what;
        EXPECT_EQ(std::pair(system.idsReused, system.repeating), std::pair(0, 0)) << what;
        EXPECT_EQ(keyOff.LabelKeysTaken.Caption() + keyVol.LabelKeysTaken.Caption(), "") << what;
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
using PowerKeyPane = KeyPanes;
using VolumeKeyPane = KeyPanes;

// What a user can do on the two panes, named by pane ("power …", "volume …").
// A click brings its pane forward first, as clicking into it does.
const std::map<std::string, void (*)(KeyPaneWorld&)> kUserSteps = {
    {"power Check1", [](KeyPaneWorld& w) { w.keyOff.SetFocus(), w.keyOff.Check1.Click(); }},
    {"power Option1", [](KeyPaneWorld& w) { w.keyOff.SetFocus(), w.keyOff.Option1.Click(); }},
    {"power Option2", [](KeyPaneWorld& w) { w.keyOff.SetFocus(), w.keyOff.Option2.Click(); }},
    {"power Option3", [](KeyPaneWorld& w) { w.keyOff.SetFocus(), w.keyOff.Option3.Click(); }},
    {"volume Check1", [](KeyPaneWorld& w) { w.keyVol.SetFocus(), w.keyVol.Check1.Click(); }},
    {"volume Option1", [](KeyPaneWorld& w) { w.keyVol.SetFocus(), w.keyVol.Option1.Click(); }},
    {"volume Option2", [](KeyPaneWorld& w) { w.keyVol.SetFocus(), w.keyVol.Option2.Click(); }},
    {"power pane to front", [](KeyPaneWorld& w) { w.otherPane.SetFocus(), w.keyOff.SetFocus(); }},
    {"volume pane to front", [](KeyPaneWorld& w) { w.otherPane.SetFocus(), w.keyVol.SetFocus(); }},
};

TEST(KeyPanesLoad, EachPaneShowsItsStoredSwitchesAndRegistersNothing) {
    struct Case {
        std::int16_t powerOn, countdown, volumeOn;
        int check1, check2, volumeCheck;
    };
    const Case cases[] = {{1, 1, 1, 1, 1, 1},  {0, 1, 0, 0, 1, 0},  {7, 1, 2, 0, 1, 0},
                          {1, 0, -1, 1, 0, 0}, {1, -1, 1, 1, 0, 1}, {0, 0, 0, 0, 0, 0}};
    for (const Case& c : cases) {
        KeyPaneWorld w;
        w.Info().PowerKeysEnabled = c.powerOn;
        w.Info().PowerKeyCountdown = c.countdown;
        w.Info().VolumeKeysEnabled = c.volumeOn;
        w.keyOff.Move(5, 5);
        w.keyOff.Load();
        w.keyVol.Load();
        const std::string what = "case: " + std::to_string(c.powerOn) + ", " + std::to_string(c.countdown) + ", " +
                                 std::to_string(c.volumeOn);
        EXPECT_EQ(w.keyOff.Left() + w.keyOff.Top(), 0) << what;
        EXPECT_EQ((std::vector<int>{w.Info().PowerKeysEnabled, w.Info().PowerKeyCountdown, w.Info().VolumeKeysEnabled}),
                  (std::vector<int>{c.check1, c.check2, c.volumeCheck}))
            << what;
        EXPECT_EQ(w.keyOff.Check2.Value(), c.check2) << what;
        w.ExpectBoxesShown(what);
        // The boxes start ticked: clearing one runs its click, which saves.
        const bool cleared = c.check1 == 0 || c.check2 == 0 || c.volumeCheck == 0;
        EXPECT_EQ(w.Stored(), cleared ? w.Info() : SetupInfo{}) << what;
        EXPECT_EQ(w.PowerKeys(), kNone) << what;
        EXPECT_EQ(w.VolumeKeys(), kNone) << what;
    }
}

// A set outside 1..3 leaves the options as they are and registers nothing.
TEST_F(PowerKeyPane, ActivationSelectsTheStoredSetAndRegistersIt) {
    struct Case {
        std::int16_t set;
        OptionButton* selected;
        Keys keys;
    };
    const Case cases[] = {{1, &keyOff.Option1, kF6ToF8},      {2, &keyOff.Option2, kF9ToF11},
                          {3, &keyOff.Option3, kCtrlF9ToF12}, {0, &keyOff.Option3, kNone},
                          {4, &keyOff.Option3, kNone},        {-1, &keyOff.Option3, kNone}};
    keyOff.Load();
    otherPane.Load();
    Info().VolumeKeysEnabled = 0;
    for (const Case& c : cases) {
        Info().PowerKeySet = PowerKeySet(c.set);
        kUserSteps.at("power pane to front")(*this);
        EXPECT_EQ(keyOff.KeySets.Selected(), c.selected) << "case: set " << c.set;
        EXPECT_EQ(int(Info().PowerKeySet), c.set) << "case: set " << c.set;
        EXPECT_EQ(PowerKeys(), c.keys) << "case: set " << c.set;
    }
}

// A damaged set counts as F9-F11, and the selection stores 2 when it changes.
TEST_F(VolumeKeyPane, ActivationSelectsTheStoredSetAndRegistersIt) {
    struct Case {
        std::int16_t set;
        OptionButton* selected;
        std::int16_t stored;
        Keys keys;
    };
    const Case cases[] = {{1, &keyVol.Option1, 1, kF6ToF8},  {0, &keyVol.Option2, 2, kF9ToF11},
                          {2, &keyVol.Option2, 2, kF9ToF11}, {1, &keyVol.Option1, 1, kF6ToF8},
                          {7, &keyVol.Option2, 2, kF9ToF11}, {-3, &keyVol.Option2, -3, kF9ToF11}};
    Info().PowerKeysEnabled = 0;
    keyVol.Load();
    otherPane.Load();
    for (const Case& c : cases) {
        Info().VolumeKeySet = VolumeKeySet(c.set);
        kUserSteps.at("volume pane to front")(*this);
        EXPECT_EQ(keyVol.KeySets.Selected(), c.selected) << "case: set " << c.set;
        EXPECT_EQ(int(Info().VolumeKeySet), c.stored) << "case: set " << c.set;
        EXPECT_EQ(VolumeKeys(), c.keys) << "case: set " << c.set;
    }
}

// The countdown of the scheduled task plays no part: hotkeys always count 30.
TEST_F(PowerKeyPane, KeysStartACountdownOrActAtOnceByTheSetting) {
    const std::pair<unsigned, const char*> keys[] = {{117, "关机"}, {120, "关机"}, {118, "休眠"}, {121, "休眠"},
                                                     {119, "锁定"}, {122, "锁定"}, {123, "重启"}, {116, ""},
                                                     {124, ""},     {0, ""}};
    keyOff.Load();
    Info().CountdownSeconds = 10;
    for (std::int16_t setting : {1, -1, 5, 0})
        for (const auto& [key, label] : keys)
            for (unsigned modifiers : {0u, 2u}) {
                countdown.calls.clear();
                power.actions.clear();
                Info().PowerKeyCountdown = setting;
                keyOff.DoPowerKey(HotkeyLParam(key, modifiers));
                const std::string what = "case: countdown " + std::to_string(setting) + ", key " + std::to_string(key);
                const std::vector<FakeCountdownLauncher::Call> dialog{{label, "", 30, true}};
                EXPECT_EQ(countdown.calls, setting != 0 ? dialog : decltype(dialog){}) << what;
                EXPECT_EQ(power.actions, setting != 0 ? std::vector<ActionLabel>{} : std::vector<ActionLabel>{label})
                    << what;
            }
    // The box stores the setting and leaves the keys alone.
    StartShown();
    const int calls = system.calls;
    keyOff.Check2.Click();
    EXPECT_EQ(std::pair(Stored().PowerKeyCountdown, system.calls), std::pair(std::int16_t{0}, calls));
}

// A key another program holds is named under the options until a renewal gets it.
TEST_F(KeyPanes, KeysHeldByAnotherProgramAreNamedUntilTheyAreFree) {
    system.heldElsewhere = {{2, 0x78}, {2, 0x7B}, {0, 0x75}};
    otherPane.Load();
    StartShown();
    EXPECT_EQ(keyOff.LabelKeysTaken.Caption(), "Ctrl+F9、Ctrl+F12 已被其他程序占用");
    EXPECT_EQ(keyVol.LabelKeysTaken.Caption(), "F6 已被其他程序占用");
    EXPECT_EQ(PowerKeys(), (Keys{{2, 0x79}, {2, 0x7A}}));
    system.heldElsewhere.clear();
    kUserSteps.at("power pane to front")(*this);
    kUserSteps.at("volume pane to front")(*this);
    ExpectSettled("freed");
}

// Only the key code counts; a WM_HOTKEY lParam may carry anything above it.
TEST(HotkeyMessage, TheKeyCodeIsTheHighWordOfTheLowHalf) {
    const std::pair<std::intptr_t, unsigned> cases[] = {
        {0x00780002, 0x78},
        {0xFFFF, 0},
        {-65536, 0xFFFF},
        {static_cast<std::intptr_t>(~std::uintptr_t{0xFF87FFFF}), 0x78}};
    for (const auto& [lParam, key] : cases) EXPECT_EQ(HotkeyKeyCode(lParam), key) << "case: lParam " << lParam;
}

TEST_F(VolumeKeyPane, KeysStepTheVolumeOrToggleMuteWhateverTheModifiers) {
    struct Case {
        unsigned key;
        std::vector<std::int32_t> levels;
        bool muted;
    };
    const Case cases[] = {{117, {26214, 26214}, false}, {120, {26214, 26214}, false}, {118, {39322, 39322}, false},
                          {121, {39322, 39322}, false}, {119, {32768, 32768}, true},  {122, {32768, 32768}, true},
                          {123, {32768, 32768}, false}, {116, {32768, 32768}, false}, {0, {32768, 32768}, false}};
    for (const Case& c : cases)
        for (unsigned modifiers : {0u, 2u}) {
            device.levels = {32768, 32768};
            device.muted = false;
            keyVol.DoVolumeKey(HotkeyLParam(c.key, modifiers));
            EXPECT_EQ(device.levels, c.levels) << "case: key " << c.key << " modifiers " << modifiers;
            EXPECT_EQ(device.muted, c.muted) << "case: key " << c.key << " modifiers " << modifiers;
            EXPECT_FALSE(device.IsOpen());
        }
    EXPECT_EQ(device.opens, 12);  // keys outside the table do not even open the device
}

// What every step keeps: its pane comes to the front; a choice made on a
// group that is on stays; the other group moves to the other F-keys exactly
// when it is on and held the keys chosen, so a group that is off never moves;
// each pane shows its group as stored.
void ExpectStepRules(KeyPaneWorld& w, const std::string& step, const SetupInfo& before, const std::string& what) {
    const bool onPower = step.starts_with("power");
    const SetupInfo& after = w.Info();
    const auto set = [onPower](const SetupInfo& i, bool own) {
        return own == onPower ? int(i.PowerKeySet) : int(i.VolumeKeySet);
    };
    const auto on = [onPower](const SetupInfo& i, bool own) {
        return (own == onPower ? i.PowerKeysEnabled : i.VolumeKeysEnabled) == 1;
    };
    EXPECT_EQ(w.host.ActiveChild(), onPower ? static_cast<Form*>(&w.keyOff) : &w.keyVol) << what;
    const bool choice = step.find("Option") != std::string::npos && on(before, true);
    EXPECT_EQ(set(after, true), choice ? step.back() - '0' : set(before, true)) << what;
    const bool moves = on(after, true) && on(before, false) && set(before, false) == set(after, true);
    EXPECT_EQ(set(after, false), moves ? 3 - set(after, true) : set(before, false)) << what;
    OptionButton* powerShown[] = {nullptr, &w.keyOff.Option1, &w.keyOff.Option2, &w.keyOff.Option3};
    OptionButton* volumeShown[] = {nullptr, &w.keyVol.Option1, &w.keyVol.Option2};
    EXPECT_EQ(w.keyOff.KeySets.Selected(), powerShown[int(after.PowerKeySet)]) << what;
    EXPECT_EQ(w.keyVol.KeySets.Selected(), volumeShown[int(after.VolumeKeySet)]) << what;
    w.ExpectBoxesShown(what);
    w.ExpectSettled(what);
}

// From every consistent record, any two steps a user can take on either pane
// keep the rules and end with each group on its own keys.
TEST(KeyConflictSweep, AnyTwoClicksFromAnyRecordEndWithDisjointGroups) {
    for (std::int16_t powerOn : {0, 1})
        for (std::int16_t powerSet : {1, 2, 3})
            for (std::int16_t volumeOn : {0, 1})
                for (std::int16_t volumeSet : {1, 2}) {
                    if (powerOn == 1 && volumeOn == 1 && powerSet == volumeSet) continue;
                    for (const auto& [first, firstStep] : kUserSteps)
                        for (const auto& [second, secondStep] : kUserSteps) {
                            KeyPaneWorld w;
                            w.Record(powerOn, powerSet, volumeOn, volumeSet);
                            const std::string what = "case: " + w.RecordName() + ", " + first + ", then " + second;
                            w.otherPane.Load();
                            w.StartShown();
                            for (const auto& [name, step] : {std::pair(first, firstStep), {second, secondStep}}) {
                                const SetupInfo before = w.Info();
                                step(w);
                                ExpectStepRules(w, name, before, what + " (at " + name + ")");
                            }
                        }
                }
}

// The whole start-up: the main window with both panes among its children,
// started by the entry routine, then the hotkeys' own step.
struct Program : KeyPaneWorld {
    Form shutdown, easyLogin, sync;
    FakeBrowser browser;
    FakeRunningCopy runningCopy;
    FakeWorkstation workstation;
    FakeDateTimeText dateTimeText;
    frmMain main{{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app, clock, dateTimeText};
    int callsBeforeHotkeyStep = 0;

    void Start(const std::string& arguments, bool stored = true) {
        if (stored) Store(Info());
        app.arguments = arguments;
        ASSERT_TRUE(RunStartUp({app, runningCopy, workstation, store}, [this]() -> frmMain& { return main; }));
        callsBeforeHotkeyStep = system.calls;
        RegisterAllAfterHiddenLoad(keyOff, keyVol);
    }
};

// After a shown start the activations have registered both groups and the
// hotkeys' step adds nothing; before the panes are loaded it does nothing.
TEST(HotkeyStart, AHiddenStartRegistersBothGroupsOnceBothPanesAreLoaded) {
    struct Case {
        const char* arguments;
        std::int16_t powerOn, powerSet, volumeOn, volumeSet;
        Keys power, volume;
    };
    const Case cases[] = {{"/run", 1, 3, 1, 1, kCtrlF9ToF12, kF6ToF8}, {"/run", 1, 1, 1, 2, kF6ToF8, kF9ToF11},
                          {"/run", 0, 1, 1, 1, kNone, kF6ToF8},        {"/run", 1, 2, 0, 2, kF9ToF11, kNone},
                          {"/run", 1, 9, 1, 5, kNone, kF9ToF11},       {"", 1, 3, 1, 1, kCtrlF9ToF12, kF6ToF8}};
    for (const Case& c : cases) {
        Program p;
        p.Record(c.powerOn, c.powerSet, c.volumeOn, c.volumeSet);
        const std::string what = "case: \"" + std::string(c.arguments) + "\", " + p.RecordName();
        p.Start(c.arguments);
        EXPECT_EQ(p.PowerKeys(), c.power) << what;
        EXPECT_EQ(p.VolumeKeys(), c.volume) << what;
        EXPECT_EQ(p.system.calls == p.callsBeforeHotkeyStep, *c.arguments == '\0') << what;
        p.keyOff.DoPowerKey(0x007B0002);  // the panes take keys without ever being shown
        EXPECT_EQ(p.countdown.calls.size(), 1u) << what;
        // Showing the main window later renews both groups without a clash.
        p.main.Show();
        p.ExpectSettled(what + ", then shown");
    }
    Program unloaded;
    RegisterAllAfterHiddenLoad(unloaded.keyOff, unloaded.keyVol);
    EXPECT_EQ(unloaded.system.calls, 0);
    // A first start on a clean account renews the default keys and stores nothing.
    for (const char* arguments : {"", "/run"}) {
        Program clean;
        clean.Start(arguments, /*stored=*/false);
        EXPECT_EQ(std::pair(clean.PowerKeys(), clean.VolumeKeys()), std::pair(kCtrlF9ToF12, kF6ToF8)) << arguments;
        EXPECT_EQ(clean.registry.log, std::vector<std::string>{}) << arguments;
    }
}

}  // namespace
}  // namespace tavrin::testing
