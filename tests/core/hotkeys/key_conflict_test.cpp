#include <functional>
#include <vector>

#include "key_panes.h"

namespace tavrin::testing {
namespace {

using KeyConflict = KeyPanes;

TEST_F(KeyConflict, ChoosingThePowerSetOfTheVolumeKeysMovesTheVolumeKeys) {
    Record(1, 2, 1, 1);
    StartShown();
    keyOff.Option1.Click();
    EXPECT_EQ(PowerKeys(), kF6ToF8);
    EXPECT_EQ(VolumeKeys(), kF9ToF11);
    EXPECT_EQ(keyVol.KeySets.Selected(), &keyVol.Option2);
    EXPECT_EQ(Stored().PowerKeySet, 1);
    EXPECT_EQ(Stored().VolumeKeySet, 2);
    EXPECT_EQ(host.ActiveChild(), &keyOff);
    ExpectSettled("power F6-F8");
    keyOff.Option2.Click();
    EXPECT_EQ(PowerKeys(), kF9ToF11);
    EXPECT_EQ(VolumeKeys(), kF6ToF8);
    ExpectSettled("power F9-F11");
}

TEST_F(KeyConflict, ChoosingTheVolumeSetOfThePowerKeysMovesThePowerKeys) {
    Record(1, 1, 1, 2);
    StartShown();
    keyVol.SetFocus();
    keyVol.Option1.Click();
    EXPECT_EQ(VolumeKeys(), kF6ToF8);
    EXPECT_EQ(PowerKeys(), kF9ToF11);
    EXPECT_EQ(keyOff.KeySets.Selected(), &keyOff.Option2);
    EXPECT_EQ(Stored().VolumeKeySet, 1);
    EXPECT_EQ(Stored().PowerKeySet, 2);
    EXPECT_EQ(host.ActiveChild(), &keyVol);
    ExpectSettled("volume F6-F8");
}

TEST_F(KeyConflict, CtrlPowerKeysAreNeverMoved) {
    Record(1, 3, 1, 1);
    StartShown();
    keyVol.SetFocus();
    const auto calls = system.calls.size();
    keyVol.Option2.Click();
    keyVol.Option1.Click();
    for (auto it = system.calls.begin() + static_cast<long>(calls); it != system.calls.end(); ++it)
        EXPECT_EQ(it->window, "FormKeyVol");
    EXPECT_EQ(Info().PowerKeySet, 3);
    ExpectSettled("volume set while power on Ctrl keys");
}

// A group that is off keeps its set; the clash is settled when it is turned on.
TEST_F(KeyConflict, AGroupThatIsOffMovesNothingUntilItIsTurnedOn) {
    Record(1, 2, 0, 1);
    StartShown();
    keyOff.Option1.Click();
    EXPECT_EQ(Info().VolumeKeySet, 1);
    EXPECT_EQ(Info().PowerKeySet, 1);
    keyVol.SetFocus();
    keyVol.Check1.Click();
    EXPECT_EQ(Info().PowerKeySet, 2);
    EXPECT_EQ(keyOff.KeySets.Selected(), &keyOff.Option2);
    EXPECT_EQ(VolumeKeys(), kF6ToF8);
    ExpectSettled("volume turned on");

    keyOff.SetFocus();
    keyOff.Check1.Click();
    keyVol.SetFocus();
    keyVol.Option2.Click();
    EXPECT_EQ(Info().PowerKeySet, 2);
    EXPECT_EQ(keyOff.KeySets.Selected(), &keyOff.Option2);
    keyOff.SetFocus();
    keyOff.Check1.Click();
    EXPECT_EQ(Info().VolumeKeySet, 1);
    EXPECT_EQ(keyVol.KeySets.Selected(), &keyVol.Option1);
    EXPECT_EQ(PowerKeys(), kF9ToF11);
    ExpectSettled("power turned on");
}

TEST(KeyConflictTurningOn, AGroupTurnedOnOverTheOtherGroupsKeysMovesTheOther) {
    struct Case {
        const char* name;
        std::int16_t powerOn, powerSet, volumeOn, volumeSet;
        bool clickPower;
        std::int16_t powerSetAfter, volumeSetAfter;
    };
    const Case cases[] = {
        {"power on, both F6", 0, 1, 1, 1, true, 1, 2},
        {"power on, both F9", 0, 2, 1, 2, true, 2, 1},
        {"volume on, both F6", 1, 1, 0, 1, false, 2, 1},
        {"volume on, both F9", 1, 2, 0, 2, false, 1, 2},
    };
    for (const Case& c : cases) {
        KeyPaneWorld w;
        w.Record(c.powerOn, c.powerSet, c.volumeOn, c.volumeSet);
        w.StartShown();
        Form& pane = c.clickPower ? static_cast<Form&>(w.keyOff) : w.keyVol;
        pane.SetFocus();
        (c.clickPower ? w.keyOff.Check1 : w.keyVol.Check1).Click();
        EXPECT_EQ(w.Info().PowerKeySet, c.powerSetAfter) << "case: " << c.name;
        EXPECT_EQ(w.Info().VolumeKeySet, c.volumeSetAfter) << "case: " << c.name;
        EXPECT_EQ(w.host.ActiveChild(), &pane) << "case: " << c.name;
        w.ExpectSettled(std::string("case: ") + c.name);
    }
}

// From every consistent record, any two clicks a user can make on either
// pane end with each group on its own keys.
TEST(KeyConflictSweep, AnyTwoClicksFromAnyRecordEndWithDisjointGroups) {
    using Click = std::function<void(KeyPaneWorld&)>;
    const std::vector<std::pair<std::string, Click>> clicks = {
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
    for (std::int16_t powerOn : {0, 1})
        for (std::int16_t powerSet : {1, 2, 3})
            for (std::int16_t volumeOn : {0, 1})
                for (std::int16_t volumeSet : {1, 2}) {
                    if (powerOn == 1 && volumeOn == 1 && powerSet == volumeSet) continue;
                    for (const auto& [first, firstClick] : clicks)
                        for (const auto& [second, secondClick] : clicks) {
                            KeyPaneWorld w;
                            w.Record(powerOn, powerSet, volumeOn, volumeSet);
                            w.otherPane.Load();
                            w.StartShown();
                            firstClick(w);
                            secondClick(w);
                            w.ExpectSettled("case: record " + std::to_string(powerOn) + std::to_string(powerSet) +
                                            std::to_string(volumeOn) + std::to_string(volumeSet) + ", " + first +
                                            ", then " + second);
                            EXPECT_EQ(w.system.idsReused, 0);
                        }
                }
}

}  // namespace
}  // namespace tavrin::testing
