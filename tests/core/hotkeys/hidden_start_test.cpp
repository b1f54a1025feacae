#include "app/frm_main.h"
#include "app/module_main.h"
#include "fakes/fake_shell.h"
#include "hotkeys/hidden_start.h"
#include "key_panes.h"

namespace tavrin::testing {
namespace {

// The whole start-up: the main window with both hotkey panes among its
// children, started by the entry routine.
class HotkeyStart : public KeyPanes {
protected:
    bool Start(const std::string& arguments) {
        app.arguments = arguments;
        const bool started = RunStartUp({app, runningCopy, workstation, store}, [this]() -> frmMain& { return main; });
        RegisterAllAfterHiddenLoad(keyOff, keyVol);
        return started;
    }
    void StoreRecord() {
        const auto bytes = Info().ToBytes();
        registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {bytes.begin(), bytes.end()});
    }
    Form shutdown{"定时关机"}, easyLogin{"开机自动登录"}, sync{"网络自动校时"};
    FakeBrowser browser;
    FakeRunningCopy runningCopy;
    FakeWorkstation workstation;
    frmMain main{{shutdown, keyOff, keyVol, easyLogin, sync}, browser, app};
};

TEST_F(HotkeyStart, AHiddenStartRegistersBothGroupsOnceBothPanesAreLoaded) {
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
        KeyPaneWorld w;
        FakeBrowser b;
        FakeRunningCopy rc;
        FakeWorkstation ws;
        Form shutdownPane, easyLoginPane, syncPane;
        frmMain m{{shutdownPane, w.keyOff, w.keyVol, easyLoginPane, syncPane}, b, w.app};
        w.Record(c.powerOn, c.powerSet, c.volumeOn, c.volumeSet);
        const auto bytes = w.Info().ToBytes();
        w.registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {bytes.begin(), bytes.end()});
        w.app.arguments = "/run";
        ASSERT_TRUE(RunStartUp({w.app, rc, ws, w.store}, [&m]() -> frmMain& { return m; }));
        RegisterAllAfterHiddenLoad(w.keyOff, w.keyVol);
        const std::string what = "case: record " + std::to_string(c.powerOn) + std::to_string(c.powerSet) +
                                 std::to_string(c.volumeOn) + std::to_string(c.volumeSet);
        EXPECT_FALSE(m.Visible()) << what;
        EXPECT_FALSE(w.keyOff.Active() || w.keyVol.Active()) << what;
        EXPECT_EQ(w.PowerKeys(), c.power) << what;
        EXPECT_EQ(w.VolumeKeys(), c.volume) << what;
        // Showing the main window later renews both groups without a clash.
        m.Show();
        if (c.powerSet <= 3) w.ExpectSettled(what + ", then shown");
    }
}

TEST_F(HotkeyStart, AfterAShownStartItChangesNothing) {
    StoreRecord();
    ASSERT_TRUE(Start(""));
    EXPECT_EQ(PowerKeys(), kCtrlF9ToF12);
    EXPECT_EQ(VolumeKeys(), kF6ToF8);
    const auto calls = system.calls.size();
    RegisterAllAfterHiddenLoad(keyOff, keyVol);
    EXPECT_EQ(system.calls.size(), calls);
}

TEST_F(HotkeyStart, PanesThatAreNotLoadedRegisterNothing) {
    RegisterAllAfterHiddenLoad(keyOff, keyVol);
    EXPECT_TRUE(system.calls.empty());
}

TEST_F(HotkeyStart, ThePanesRouteTheirKeysOnceStartedHidden) {
    StoreRecord();
    ASSERT_TRUE(Start("/run"));
    keyOff.DoPowerKey(0x007A0002);
    keyVol.DoVolumeKey(0x00770000);
    EXPECT_EQ(countdown.started, (std::vector<FakeCountdownLauncher::Task>{{"锁定", "", 30}}));
    EXPECT_TRUE(device.muted);
}

}  // namespace
}  // namespace tavrin::testing
