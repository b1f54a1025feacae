#include <gtest/gtest.h>

#include <memory>

#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/fake_shell.h"
#include "fakes/settings_rig.h"
#include "ports/console.h"
#include "schedule/form_shutdown.h"
#include "script/script_client.h"
#include "script/script_host.h"

namespace tavrin {
namespace {

using namespace std::chrono;
using namespace testing;

class FakeConsole final : public Console {
public:
    bool Write(std::string_view text) override {
        written += text;
        return attached;
    }
    std::string written;
    bool attached = true;
};

// A running copy with its schedule, and the starts that scripts make.
class ScriptRun : public ::testing::Test, public SettingsRig {
protected:
    ScriptRun() {
        SetupInfo stored;
        ResetSetupInfo(stored, clock);
        stored.TaskIndex = 1;  // daily 关机 at 08:00, not armed at start
        stored.TimingMode = TimingMode::EveryDay;
        stored.AllDayTime = MakeTimeOfDay(8, 0, 0);
        Store(stored);
        store.LoadSetupInfo();
        schedule.Load();
        runningCopy.startsAs = [this](std::string_view r) { return host.Handle(r); };
        runningCopy.running = runningCopy.startsAs;
        host.onArmed = [this] { ++announced; };
    }
    // A second start with these arguments; its exit code.
    int Run(const char* arguments) {
        console.written.clear();
        starting.arguments = arguments;
        return RunScriptCommand({starting, runningCopy, console, messageBox, clock}).value_or(-1);
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i) {
            clock.Advance(seconds{1});
            schedule.Timer1.Tick();
        }
    }

    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FormShutdown schedule{store, clock, dateTimeText, countdown, power};
    ScriptHost host{schedule, countdown, store, clock};
    FakeRunningCopy runningCopy;
    FakeApplication starting;
    FakeConsole console;
    int announced = 0;
};

// "/save" stores like the button; a one-off runs once and leaves the
// stored task alone, even when another pane saves the record meanwhile; a
// malformed command changes nothing; a countdown can be asked about and
// cancelled.
TEST_F(ScriptRun, AOneOffLeavesTheStoredTaskAloneAndAMalformedCommandChangesNothing) {
    EXPECT_EQ(Run("/action restart /daily 07:00 /remind 15 /save"), 0);  // passed today: tomorrow
    EXPECT_EQ(console.written, "已设定：重启，2026/12/7 7:00:00，剩余 11小时。已保存。\n");
    const SetupInfo saved = Stored();
    EXPECT_EQ(TaskOf(saved), TaskOf(store.Info()));
    EXPECT_EQ(saved.CountdownSeconds, 15);
    EXPECT_EQ(Run("/action 关机 /in 0s"), 2);
    EXPECT_EQ(runningCopy.requests.size(), 1u);  // never handed over
    EXPECT_EQ(host.Handle("/action 关机 /in 5m /bogus").front(), '2');
    EXPECT_EQ(host.Handle(std::string(5000, 'x')).front(), '2');

    EXPECT_EQ(Run("/action 锁定 /in 3s /noremind"), 0);
    EXPECT_EQ(console.written.find("已设定：锁定，2026/12/6 20:00:03，剩余 3秒。取代了原来的任务：重启"), 0u);
    store.SaveSetupInfo();
    Tick(3);
    EXPECT_EQ(power.actions, std::vector<ActionLabel>{"锁定"});
    EXPECT_EQ(Stored(), saved);

    EXPECT_EQ(Run("/action 关机 /in 3s /remind 30"), 0);
    Tick(3);
    EXPECT_EQ(Run("/cancel"), 0);
    EXPECT_EQ(console.written, "已取消：正在倒计时：关机，剩余 30秒。\n");
    EXPECT_EQ(Run("/cancel"), 0);
    EXPECT_EQ(Run("/status"), 1);
    EXPECT_EQ(Stored(), saved);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(announced, 3);
}

// Without a copy only arming starts one, and not where nobody could cancel
// it; outside a console only failures and help show a box.
TEST_F(ScriptRun, WithoutACopyOnlyArmingStartsOne) {
    runningCopy.running = nullptr;
    console.attached = false;
    EXPECT_EQ(std::vector<int>({Run("/status"), Run("/action lock /in 10m"), Run("/?")}), std::vector<int>({3, 0, 0}));
    EXPECT_EQ(runningCopy.started, std::vector<std::string>{"/resident"});
    runningCopy.running = nullptr;
    starting.onUsersDesktop = false;
    EXPECT_EQ(Run("/action lock /in 10m"), 3);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(Run("/run"), -1);  // no command: the normal start goes on
}

}  // namespace
}  // namespace tavrin
