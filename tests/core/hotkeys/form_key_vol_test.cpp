#include <vector>

#include "key_panes.h"

namespace tavrin::testing {
namespace {

using VolumeKeyPane = KeyPanes;

TEST_F(VolumeKeyPane, LoadShowsTheStoredSwitchAndRegistersNothing) {
    for (std::int16_t enabled : {1, 0, 2, -1}) {
        KeyPaneWorld w;
        w.Info().VolumeKeysEnabled = enabled;
        w.keyVol.Load();
        const bool on = enabled == 1;
        EXPECT_EQ(w.keyVol.Check1.Value(), on ? 1 : 0) << "case: " << enabled;
        EXPECT_EQ(w.Info().VolumeKeysEnabled, on ? 1 : 0) << "case: " << enabled;
        EXPECT_EQ(w.keyVol.Option1.Enabled() && w.keyVol.Option2.Enabled() && w.keyVol.Label1.Enabled(), on)
            << "case: " << enabled;
        EXPECT_EQ(w.registry.writes > 0, !on) << "case: " << enabled;
        EXPECT_EQ(w.VolumeKeys(), kNone) << "case: " << enabled;
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
        Info().VolumeKeySet = c.set;
        otherPane.SetFocus();
        keyVol.SetFocus();
        EXPECT_EQ(keyVol.KeySets.Selected(), c.selected) << "case: set " << c.set;
        EXPECT_EQ(Info().VolumeKeySet, c.stored) << "case: set " << c.set;
        EXPECT_EQ(VolumeKeys(), c.keys) << "case: set " << c.set;
    }
}

TEST_F(VolumeKeyPane, UncheckingDropsTheKeysAndCheckingRestoresTheStoredSet) {
    Record(1, 3, 1, 2);
    StartShown();
    keyVol.SetFocus();
    keyVol.Check1.Click();
    EXPECT_EQ(Info().VolumeKeysEnabled, 0);
    EXPECT_FALSE(keyVol.Option1.Enabled() || keyVol.Option2.Enabled() || keyVol.Label1.Enabled());
    EXPECT_EQ(VolumeKeys(), kNone);
    ExpectSettled("unchecked");
    keyVol.Check1.Click();
    EXPECT_TRUE(keyVol.Option1.Enabled() && keyVol.Label1.Enabled());
    EXPECT_EQ(VolumeKeys(), kF9ToF11);
    ExpectSettled("checked again");
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
            keyVol.DoVolumeKey(static_cast<std::intptr_t>(c.key << 16 | modifiers));
            EXPECT_EQ(device.levels, c.levels) << "case: key " << c.key << " modifiers " << modifiers;
            EXPECT_EQ(device.muted, c.muted) << "case: key " << c.key << " modifiers " << modifiers;
            EXPECT_FALSE(device.IsOpen());
        }
    EXPECT_EQ(device.opens, 12);  // keys outside the table do not even open the device
}

}  // namespace
}  // namespace tavrin::testing
