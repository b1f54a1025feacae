#include <functional>
#include <vector>

#include "key_panes.h"

namespace tavrin::testing {
namespace {

using Click = std::function<void(KeyPaneWorld&)>;

// The choice just made stays; the other group moves to the other F-keys, and
// its pane shows where it went.
TEST(KeyConflict, AChoiceOnOneGroupsKeysMovesTheOtherGroup) {
    struct Case {
        const char* name;
        std::int16_t powerOn, powerSet, volumeOn, volumeSet;
        bool onPowerPane;
        Click click;
        std::int16_t powerSetAfter, volumeSetAfter;
    };
    const Case cases[] = {
        {"power F6 over volume F6", 1, 2, 1, 1, true, [](KeyPaneWorld& w) { w.keyOff.Option1.Click(); }, 1, 2},
        {"power F9 over volume F9", 1, 1, 1, 2, true, [](KeyPaneWorld& w) { w.keyOff.Option2.Click(); }, 2, 1},
        {"volume F6 over power F6", 1, 1, 1, 2, false, [](KeyPaneWorld& w) { w.keyVol.Option1.Click(); }, 2, 1},
        {"volume F9 over power F9", 1, 2, 1, 1, false, [](KeyPaneWorld& w) { w.keyVol.Option2.Click(); }, 1, 2},
        {"volume F9 beside power Ctrl", 1, 3, 1, 1, false, [](KeyPaneWorld& w) { w.keyVol.Option2.Click(); }, 3, 2},
        {"power F6 with volume off", 1, 2, 0, 1, true, [](KeyPaneWorld& w) { w.keyOff.Option1.Click(); }, 1, 1},
        {"volume F9 with power off", 0, 2, 1, 1, false, [](KeyPaneWorld& w) { w.keyVol.Option2.Click(); }, 2, 2},
        {"power on, both F6", 0, 1, 1, 1, true, [](KeyPaneWorld& w) { w.keyOff.Check1.Click(); }, 1, 2},
        {"power on, both F9", 0, 2, 1, 2, true, [](KeyPaneWorld& w) { w.keyOff.Check1.Click(); }, 2, 1},
        {"volume on, both F6", 1, 1, 0, 1, false, [](KeyPaneWorld& w) { w.keyVol.Check1.Click(); }, 2, 1},
        {"volume on, both F9", 1, 2, 0, 2, false, [](KeyPaneWorld& w) { w.keyVol.Check1.Click(); }, 1, 2},
    };
    for (const Case& c : cases) {
        KeyPaneWorld w;
        w.Record(c.powerOn, c.powerSet, c.volumeOn, c.volumeSet);
        w.StartShown();
        Form& pane = c.onPowerPane ? static_cast<Form&>(w.keyOff) : w.keyVol;
        pane.SetFocus();
        c.click(w);
        EXPECT_EQ(w.Info().PowerKeySet, c.powerSetAfter) << "case: " << c.name;
        EXPECT_EQ(w.Info().VolumeKeySet, c.volumeSetAfter) << "case: " << c.name;
        OptionButton* powerShown[] = {nullptr, &w.keyOff.Option1, &w.keyOff.Option2, &w.keyOff.Option3};
        OptionButton* volumeShown[] = {nullptr, &w.keyVol.Option1, &w.keyVol.Option2};
        EXPECT_EQ(w.keyOff.KeySets.Selected(), powerShown[c.powerSetAfter]) << "case: " << c.name;
        EXPECT_EQ(w.keyVol.KeySets.Selected(), volumeShown[c.volumeSetAfter]) << "case: " << c.name;
        EXPECT_EQ(w.host.ActiveChild(), &pane) << "case: " << c.name;
        w.ExpectSettled(std::string("case: ") + c.name);
    }
}

// From every consistent record, any two clicks a user can make on either
// pane end with each group on its own keys.
TEST(KeyConflictSweep, AnyTwoClicksFromAnyRecordEndWithDisjointGroups) {
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
