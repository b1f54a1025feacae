#include "startup/start_with_windows.h"

#include <gtest/gtest.h>

#include "elevated/elevated_call.h"
#include "elevated/run_elevated_call.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/settings_rig.h"

namespace tavrin {
namespace {

using namespace testing;
constexpr const char* kCommand = "\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /run";

class StartUpTest : public ::testing::Test, public SettingsRig {
protected:
    StartUpTest() {
        // The elevated copy is the real one, over the same fakes.
        elevation.copy = [this](const std::string& operation) {
            (void)RunIfElevatedCall(ElevatedArguments(kNoChannel, operation),
                                    {registry, setter, clock, task, app, elevation});
        };
    }
    std::optional<std::string> RunEntry() const { return registry.Text(Hive::CurrentUser, kRunKey, kRunValue); }
    void Save(std::int16_t syncMode, std::int16_t powerKeys = 0) {
        Info().SyncMode = static_cast<SyncMode>(syncMode);
        Info().PowerKeysEnabled = powerKeys;
        store.SaveSetupInfo();
    }
    FakeClockSetter setter{clock};
};

// Each case starts from the opposite state, so both directions are seen.
// With a logon task, the task takes the entry's place while needed, and
// goes (with rights, directly) once nothing needs it.
TEST_F(StartUpTest, TheRunEntryOrTheTaskExistsExactlyWhenASettingNeedsIt) {
    const struct {
        const char* what;
        std::int16_t SetupInfo::*field;  // none: the sync mode
        std::int16_t value;
        bool needed;
    } cases[] = {
        {"nothing", nullptr, 3, false},
        {"task at start-up", &SetupInfo::StartCloseTask, 1, true},
        {"lock after logon", &SetupInfo::AutoLogonLock, 1, true},
        {"hourly sync", nullptr, 1, true},
        {"sync at start-up", nullptr, 2, true},
        {"power keys, odd value", &SetupInfo::PowerKeysEnabled, -3, true},
        {"volume keys", &SetupInfo::VolumeKeysEnabled, 1, true},
        {"task flag 2", &SetupInfo::StartCloseTask, 2, false},
        {"lock flag -1", &SetupInfo::AutoLogonLock, -1, false},
        {"sync mode 4", nullptr, 4, false},
    };
    for (const bool withTask : {false, true})
        for (const auto& c : cases) {
            const std::string what = std::string(c.what) + (withTask ? ", with a task" : "");
            registry = FakeRegistry{};
            if (!c.needed) registry.PutText(Hive::CurrentUser, kRunKey, kRunValue, "stale");
            if (withTask) registry.PutDword(Hive::CurrentUser, kSettingsKey, kLogonTaskValue, 1);
            task.exists = withTask;
            StartWithWindows run(registry, app, task, elevation, messageBox);
            SetupStore runStore(registry, clock, run);
            runStore.Info().SyncMode = SyncMode::Manual;
            if (c.field)
                runStore.Info().*c.field = c.value;
            else
                runStore.Info().SyncMode = static_cast<SyncMode>(c.value);
            runStore.SaveSetupInfo();
            EXPECT_EQ(RunEntry(), c.needed && !withTask ? std::optional<std::string>(kCommand) : std::nullopt) << what;
            EXPECT_EQ(task.exists, withTask && c.needed) << what;
            registry.log.clear();
            runStore.SaveSetupInfo();
            EXPECT_EQ(registry.log.size(), 1u) << what;  // the record alone: the rest is in line
        }
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(elevation.runs.empty());
}

// An earlier version's entry for every user goes when rights allow; without
// them it stays, and no one is bothered about it. A refused write of the
// user's own entry is said.
TEST_F(StartUpTest, TheMachineWideEntryGoesWithRightsAndARefusedEntryIsSaid) {
    for (const bool elevated : {true, false}) {
        registry = FakeRegistry{};
        registry.PutText(Hive::LocalMachine, kRunKey, kRunValue, kCommand);
        elevation.elevated = elevated;
        Save(2);
        EXPECT_EQ(registry.Has(Hive::LocalMachine, kRunKey, kRunValue), !elevated);
        EXPECT_EQ(RunEntry(), kCommand);
    }
    EXPECT_TRUE(boxes.empty());
    registry.DenyWrites(Hive::CurrentUser);
    Save(3);
    EXPECT_EQ(boxes, std::vector<std::string>{
                         "box 设置未保存：拒绝访问\n无法更新开机启动项：拒绝访问 | Tavrin－定时关机免费版"});
}

// An administrator without rights now: the offer (declined, then accepted),
// the copy that makes the task, the entry that goes while it exists, and the
// copy that deletes it once a change stops needing it.
TEST_F(StartUpTest, TheLogonTaskReplacesTheEntryWhileAutomaticSyncOrAnotherFeatureNeedsIt) {
    elevation.elevated = false;
    elevation.splitToken = true;
    elevation.answer = {ElevatedEnd::Declined, {}};
    Save(1);
    EXPECT_EQ(startUp.OfferLogonTask(Info()), "自动校时需要管理员权限：未创建计划任务，登录后无法修改系统时间。");
    EXPECT_EQ(RunEntry(), kCommand);
    elevation.answer = {ElevatedEnd::Done, {}};
    EXPECT_EQ(startUp.OfferLogonTask(Info()), "已创建计划任务：登录时以管理员权限启动，自动校时无需再次确认。");
    EXPECT_EQ(elevation.runs.back(), (FakeElevation::Run{"task 1 S-1-5-21-7-1001", ""}));
    EXPECT_NE(task.definition.find("<UserId>S-1-5-21-7-1001</UserId></LogonTrigger>"), std::string::npos);
    EXPECT_FALSE(RunEntry());

    Save(3, 1);  // the keys still start with Windows, through the task
    StartWithWindows nextRun(registry, app, task, elevation, messageBox);  // learns of the task from the user's key
    SetupStore nextStore(registry, clock, nextRun);
    nextStore.LoadSetupInfo();
    nextStore.Info().PowerKeysEnabled = 0;
    nextStore.SaveSetupInfo();  // a start-up never asks Windows
    EXPECT_EQ(elevation.runs.size(), 2u);
    nextStore.Info().PowerKeysEnabled = 1;
    nextStore.SaveSetupInfo();
    EXPECT_FALSE(RunEntry());

    elevation.answer = {ElevatedEnd::Declined, {}};
    nextStore.Info().PowerKeysEnabled = 0;
    nextStore.SaveSetupInfo();
    EXPECT_TRUE(task.exists);
    EXPECT_EQ(boxes.back(), "box 开机计划任务未删除：已取消 | Tavrin－定时关机免费版");
    elevation.answer = {ElevatedEnd::Done, {}};
    nextStore.Info().PowerKeysEnabled = 1;
    nextStore.SaveSetupInfo();
    nextStore.Info().PowerKeysEnabled = 0;
    nextStore.SaveSetupInfo();
    EXPECT_EQ(elevation.runs.back().operation, "task 0 S-1-5-21-7-1001");
    EXPECT_FALSE(task.exists || registry.Has(Hive::CurrentUser, kSettingsKey, kLogonTaskValue));

    task.exists = true;  // made by hand: not ours to know of, nor to ask about
    const int queries = task.queries;
    nextStore.Info().SyncMode = SyncMode::StartUpAndHourly;
    nextStore.SaveSetupInfo();
    EXPECT_EQ(task.queries, queries);
    EXPECT_EQ(RunEntry(), kCommand);
}

// Who gets no task: a standard user (no rights a task could lend), the full
// rights of an account without a split token (nothing to say), and a program
// that anyone may replace, which is never worth a prompt. Full rights on a
// split token make it directly.
TEST_F(StartUpTest, NoTaskWhereItCouldNotHelpOrWouldLendRightsToAnyone) {
    for (const auto& [elevated, split, protectedFolder] :
         {std::tuple(false, false, true), std::tuple(true, false, true), std::tuple(false, true, false)}) {
        elevation.elevated = elevated;
        elevation.splitToken = split;
        app.protectedFolder = protectedFolder;
        Save(2);
        const std::string said = startUp.OfferLogonTask(Info());
        EXPECT_EQ(said.empty(), elevated) << split;
        EXPECT_EQ(said.find("计划任务") != std::string::npos, split) << split;  // named only where one could be
        EXPECT_EQ(RunEntry(), kCommand) << split;
    }
    EXPECT_TRUE(elevation.runs.empty() && !task.exists);
    elevation.elevated = app.protectedFolder = true;
    EXPECT_EQ(startUp.OfferLogonTask(Info()), "已创建计划任务：登录时以管理员权限启动，自动校时无需再次确认。");
    EXPECT_TRUE(elevation.runs.empty() && task.exists);
    EXPECT_FALSE(RunEntry());
}

}  // namespace
}  // namespace tavrin
