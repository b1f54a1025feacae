#include <gtest/gtest.h>

#include "fakes/program_rig.h"
#include "script/script_client.h"

namespace tavrin {
namespace {

using namespace testing;

// A running copy with a daily 关机 at 08:00 not armed, and the starts that
// scripts make.
class ScriptRun : public ::testing::Test, public ProgramRig {
protected:
    ScriptRun() {
        SetupInfo stored;
        ResetSetupInfo(stored, clock);
        stored.TaskIndex = 1;
        stored.TimingMode = TimingMode::EveryDay;
        stored.AllDayTime = MakeTimeOfDay(8, 0, 0);
        Store(stored);
        app.arguments = "/resident";
        program.Start();
        runningCopy.startsAs = [this](std::string_view r) { return M().script.Handle(r); };
        runningCopy.running = runningCopy.startsAs;
    }
    // A second start with these arguments; its exit code.
    int Run(const char* arguments) {
        console.written.clear();
        starting.arguments = arguments;
        return RunScriptCommand({starting, runningCopy, console, messageBox, clock}).value_or(-1);
    }
    FakeApplication starting;
};

// "/save" stores like the button; a one-off runs once and leaves the
// stored task alone, even when another pane saves the record meanwhile; a
// countdown can be asked about and cancelled.
TEST_F(ScriptRun, AOneOffLeavesTheStoredTaskAlone) {
    EXPECT_EQ(Run("/action restart /daily 07:00 /remind 15 /save"), 0);  // passed today: tomorrow
    EXPECT_EQ(console.written, "已设定：重启，2026/12/7 7:00:00，剩余 11小时。已保存。\n");
    const auto saved = registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue);
    EXPECT_EQ(program.Store().Info().CountdownSeconds, 15);

    EXPECT_EQ(Run("/action 锁定 /in 3s /noremind"), 0);
    EXPECT_EQ(console.written.find("已设定：锁定，2026/12/6 20:00:03，剩余 3秒。取代了原来的任务：重启"), 0u);
    program.Store().SaveSetupInfo();
    Tick(3);
    EXPECT_EQ(workstation.locks, 1);

    EXPECT_EQ(Run("/action 关机 /in 3s /remind 30"), 0);
    Tick(3);
    EXPECT_EQ(Run("/cancel"), 0);
    EXPECT_EQ(console.written, "已取消：正在倒计时：关机，剩余 30秒。\n");
    EXPECT_EQ(Run("/cancel"), 0);
    EXPECT_EQ(Run("/status"), 1);
    EXPECT_EQ(registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue), saved);
    EXPECT_TRUE(boxes.empty());
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
