#include <vector>

#include "key_panes.h"
#include "power/action_label.h"

namespace tavrin::testing {
namespace {

using PowerKeyPane = KeyPanes;

TEST_F(PowerKeyPane, LoadShowsTheStoredSwitchesAndRegistersNothing) {
    struct Case {
        std::int16_t enabled, countdown;
        int check1, check2;
        bool saves;
    };
    const Case cases[] = {{1, 1, 1, 1, false}, {0, 1, 0, 1, true},  {7, 1, 0, 1, true},
                          {1, 0, 1, 0, true},  {1, -1, 1, 0, true}, {0, 0, 0, 0, true}};
    for (const Case& c : cases) {
        KeyPaneWorld w;
        w.Info().PowerKeysEnabled = c.enabled;
        w.Info().PowerKeyCountdown = c.countdown;
        FormKeyOff& pane = w.keyOff;
        pane.Move(5, 5);
        pane.Load();
        const std::string what = "case: " + std::to_string(c.enabled) + ", " + std::to_string(c.countdown);
        EXPECT_EQ(pane.Left() + pane.Top(), 0) << what;
        EXPECT_EQ(pane.Check1.Value(), c.check1) << what;
        EXPECT_EQ(pane.Check2.Value(), c.check2) << what;
        EXPECT_EQ(w.Info().PowerKeysEnabled, c.check1) << what;
        EXPECT_EQ(w.Info().PowerKeyCountdown, c.check2) << what;
        for (Control* ctl :
             std::initializer_list<Control*>{&pane.Option1, &pane.Option2, &pane.Option3, &pane.Label1, &pane.Check2})
            EXPECT_EQ(ctl->Enabled(), c.check1 == 1) << what;
        EXPECT_EQ(w.registry.writes > 0, c.saves) << what;
        EXPECT_EQ(w.PowerKeys(), kNone) << what;
    }
}

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
    Info().VolumeKeysEnabled = 0;
    for (const Case& c : cases) {
        Info().PowerKeySet = c.set;
        otherPane.Load();
        otherPane.SetFocus();
        keyOff.SetFocus();
        EXPECT_EQ(keyOff.KeySets.Selected(), c.selected) << "case: set " << c.set;
        EXPECT_EQ(Info().PowerKeySet, c.set) << "case: a set outside 1..3 is kept as it is";
        EXPECT_EQ(PowerKeys(), c.keys) << "case: set " << c.set;
    }
}

TEST_F(PowerKeyPane, SwitchingFromCtrlKeysDropsAllFourBeforeRegistering) {
    Record(1, 3, 0, 1);
    StartShown();
    ASSERT_EQ(PowerKeys(), kCtrlF9ToF12);
    system.calls.clear();
    keyOff.Option1.Click();
    // The last renewal: every identifier of the group dropped, then the new set.
    const std::vector<std::pair<bool, int>> expected = {
        {false, 117},   {false, 118},   {false, 119},   {false, 120}, {false, 121}, {false, 122}, {false, 0x278},
        {false, 0x279}, {false, 0x27A}, {false, 0x27B}, {true, 117},  {true, 118},  {true, 119}};
    std::vector<std::pair<bool, int>> renewal;
    for (auto it = system.calls.end() - 13; it != system.calls.end(); ++it) renewal.push_back({it->registers, it->id});
    EXPECT_EQ(renewal, expected);
    EXPECT_EQ(PowerKeys(), kF6ToF8);
    EXPECT_EQ(system.idsReused, 0);
}

TEST_F(PowerKeyPane, UncheckingDropsTheKeysAndCheckingRestoresTheStoredSet) {
    Record(1, 2, 1, 1);
    StartShown();
    keyOff.Check1.Click();
    EXPECT_EQ(Info().PowerKeysEnabled, 0);
    EXPECT_FALSE(keyOff.Option2.Enabled() || keyOff.Label1.Enabled() || keyOff.Check2.Enabled());
    EXPECT_EQ(PowerKeys(), kNone);
    ExpectSettled("unchecked");
    keyOff.Check1.Click();
    EXPECT_TRUE(keyOff.Option1.Enabled() && keyOff.Option3.Enabled() && keyOff.Check2.Enabled());
    EXPECT_EQ(PowerKeys(), kF9ToF11);
    ExpectSettled("checked again");
}

TEST_F(PowerKeyPane, TheCountdownBoxIsStoredWithoutTouchingTheKeys) {
    StartShown();
    const auto calls = system.calls.size();
    keyOff.Check2.Click();
    EXPECT_EQ(Info().PowerKeyCountdown, 0);
    EXPECT_EQ(Stored().PowerKeyCountdown, 0);
    EXPECT_EQ(system.calls.size(), calls);
}

// The countdown of the scheduled task plays no part: hotkeys always count 30.
TEST_F(PowerKeyPane, KeysStartACountdownOrActAtOnceByTheSetting) {
    const std::pair<unsigned, const char*> keys[] = {{117, "关机"}, {120, "关机"}, {118, "休眠"}, {121, "休眠"},
                                                     {119, "锁定"}, {122, "锁定"}, {123, "重启"}, {116, ""},
                                                     {124, ""},     {0, ""}};
    keyOff.Load();
    Info().CountdownSeconds = 10;
    for (std::int16_t setting : {1, -1, 5, 0}) {
        Info().PowerKeyCountdown = setting;
        for (const auto& [key, label] : keys)
            for (unsigned modifiers : {0u, 2u}) {
                countdown.calls.clear();
                power.actions.clear();
                keyOff.DoPowerKey(static_cast<std::intptr_t>(key << 16 | modifiers));
                const std::string what = "case: countdown " + std::to_string(setting) + ", key " + std::to_string(key);
                if (setting != 0) {
                    EXPECT_EQ(countdown.calls, (std::vector<FakeCountdownLauncher::Call>{{label, "", 30}})) << what;
                    EXPECT_TRUE(power.actions.empty()) << what;
                } else {
                    EXPECT_EQ(power.actions, std::vector<ActionLabel>{label}) << what;
                    EXPECT_TRUE(countdown.calls.empty()) << what;
                }
            }
    }
    // Each press starts a dialog of its own.
    Info().PowerKeyCountdown = 1;
    countdown.calls.clear();
    keyOff.DoPowerKey(0x007A0000);
    keyOff.DoPowerKey(0x007A0000);
    EXPECT_EQ(countdown.calls, (std::vector<FakeCountdownLauncher::Call>{{"锁定", "", 30}, {"锁定", "", 30}}));
}

}  // namespace
}  // namespace tavrin::testing
