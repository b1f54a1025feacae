#include "app/frm_main.h"
#include "app/module_main.h"
#include "fakes/fake_shell.h"
#include "hotkeys/hidden_start.h"
#include "key_panes.h"

namespace tavrin::testing {
namespace {

// The whole start-up: the main window with both panes among its children,
// started by the entry routine, then the hotkeys' own step.
struct Program : KeyPaneWorld {
    Form shutdown, easyLogin, sync;
    FakeBrowser browser;
    FakeRunningCopy runningCopy;
    FakeWorkstation workstation;
    frmMain main{{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app};

    void Start(const std::string& arguments) {
        Store(Info());
        app.arguments = arguments;
        ASSERT_TRUE(RunStartUp({app, runningCopy, workstation, store}, [this]() -> frmMain& { return main; }));
        RegisterAllAfterHiddenLoad(keyOff, keyVol);
    }
};

TEST(HotkeyStart, AHiddenStartRegistersBothGroupsOnceBothPanesAreLoaded) {
    struct Case {
        std::int16_t powerOn, powerSet, volumeOn, volumeSet;
        Keys power, volume;
    };
    const Case cases[] = {{1, 3, 1, 1, kCtrlF9ToF12, kF6ToF8},
                          {1, 1, 1, 2, kF6ToF8, kF9ToF11},
                          {0, 1, 1, 1, kNone, kF6ToF8},
                          {1, 2, 0, 2, kF9ToF11, kNone},
                          {1, 9, 1, 5, kNone, kF9ToF11}};
    for (const Case& c : cases) {
        Program p;
        p.Record(c.powerOn, c.powerSet, c.volumeOn, c.volumeSet);
        p.Start("/run");
        const std::string what = "case: record " + std::to_string(c.powerOn) + std::to_string(c.powerSet) +
                                 std::to_string(c.volumeOn) + std::to_string(c.volumeSet);
        EXPECT_FALSE(p.main.Visible() || p.keyOff.Active() || p.keyVol.Active()) << what;
        EXPECT_EQ(p.PowerKeys(), c.power) << what;
        EXPECT_EQ(p.VolumeKeys(), c.volume) << what;
        p.keyOff.DoPowerKey(0x007B0002);  // the panes take keys without ever being shown
        EXPECT_EQ(p.countdown.calls.size(), 1u) << what;
        // Showing the main window later renews both groups without a clash.
        p.main.Show();
        p.ExpectSettled(what + ", then shown");
    }
}

TEST(HotkeyStart, AfterAShownStartOrBeforeLoadingItRegistersNothing) {
    Program shown;
    shown.Start("");
    EXPECT_EQ(shown.PowerKeys(), kCtrlF9ToF12);
    EXPECT_EQ(shown.VolumeKeys(), kF6ToF8);
    const auto calls = shown.system.calls.size();
    RegisterAllAfterHiddenLoad(shown.keyOff, shown.keyVol);
    EXPECT_EQ(shown.system.calls.size(), calls);

    Program unloaded;
    RegisterAllAfterHiddenLoad(unloaded.keyOff, unloaded.keyVol);
    EXPECT_TRUE(unloaded.system.calls.empty());
}

}  // namespace
}  // namespace tavrin::testing
