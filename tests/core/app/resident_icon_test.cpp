#include "app/resident_icon.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frm_main.h"
#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/fake_shell.h"
#include "fakes/settings_rig.h"
#include "fakes/tracing_form.h"
#include "schedule/form_shutdown.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

// What the notification area was told.
struct IconLog final : NotifyIconView {
    void ShowIcon(bool shown) override { trace.push_back(shown ? "add" : "delete"); }
    void ShowTip(const std::string& tip) override { this->tip = tip; }
    void ShowNotice(const std::string&, const std::string& text) override { trace.push_back(text); }
    Trace trace;
    std::string tip;
};

// The main window with the real schedule pane and probes for the others,
// started hidden from a record that arms "关机" in 1 h 20 min.
class ResidentIconTest : public ::testing::Test, public SettingsRig {
protected:
    ResidentIconTest() {
        Info().TaskIndex = 1;
        Info().CountdownEnabled = -1;
        Info().CountdownSeconds = 30;
        Info().TimingMode = 2;
        Info().CountDownSpan = MakeTimeOfDay(1, 20, 0);
        Info().StartCloseTask = 1;
        icon.Icon.Bind(&log);
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i) {
            clock.Advance(std::chrono::seconds{1});
            schedule.Timer1.Tick();
            schedule.TimerPostponed.Tick();
        }
    }
    std::string Tip() const { return log.tip.substr(log.tip.find('\n') + 1); }

    Trace trace;
    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FormShutdown schedule{store, clock, dateTimeText, countdown, power};
    TracingForm keyOff{"FormKeyOff", trace}, keyVol{"FormKeyVol", trace}, easyLogin{"FormEasyLogin", trace},
        sync{"frmSync", trace};
    FakeBrowser browser;
    frmMain main{{schedule, keyOff, keyVol, easyLogin, sync}, browser, app};
    ResidentIcon icon{main, schedule, registry};
    IconLog log;
};

TEST_F(ResidentIconTest, TheTipAndMenuFollowTheScheduleAndStopCancelsAPostponedAction) {
    main.Load();
    icon.Start();
    EXPECT_EQ(log.trace, (Trace{"add", "已安排：关机 2026/12/6 21:20:00"}));
    EXPECT_EQ(log.tip, "Tavrin－定时关机免费版\n关机：1小时 20分后");
    EXPECT_EQ(icon.Icon.MenuItems(), (Trace{"显示主窗口", "停止计时", "退出"}));
    Tick(1);
    EXPECT_EQ(Tip(), "关机：1小时 19分 59秒后");

    icon.Icon.ChooseMenuItem("停止计时");
    EXPECT_EQ(Tip(), "未安排定时任务");
    EXPECT_EQ(icon.Icon.MenuItems(), (Trace{"显示主窗口", "退出"}));
    EXPECT_EQ(schedule.CommandCloseTime.Caption(), "保存并应用");

    schedule.Postpone("锁定", 30);
    EXPECT_EQ(Tip(), "锁定（已推迟）：10分后");
    icon.Icon.ChooseMenuItem("停止计时");
    Tick(700);
    EXPECT_TRUE(countdown.calls.empty());
    EXPECT_EQ(Tip(), "未安排定时任务");
    icon.Icon.ChooseMenuItem("停止计时");  // not in the menu now: nothing happens
    EXPECT_EQ(schedule.CommandCloseTime.Caption(), "保存并应用");
}

TEST_F(ResidentIconTest, FiveMinutesBeforeTheActionTheIconSaysSoOnce) {
    Info().CountDownSpan = MakeTimeOfDay(0, 5, 2);
    main.Show();  // a start the user sees says nothing of what it armed
    icon.Start();
    Tick(1);
    EXPECT_EQ(log.trace, (Trace{"add"}));
    Tick(1);
    Tick(10);
    EXPECT_EQ(log.trace, (Trace{"add", "关机将在5分钟后执行（2026/12/6 20:05:02）"}));
}

// Said once per user, in a value of its own; the record is not written.
// The click brings the window back; 退出 takes the icon away first.
TEST_F(ResidentIconTest, TheFirstCloseIsExplainedOnceAndExitRemovesTheIcon) {
    Info().StartCloseTask = 0;
    main.Show();
    icon.Start();
    for (int round = 0; round < 2; ++round) {
        main.RequestClose();
        EXPECT_FALSE(main.Visible());
        icon.Icon.Click();
        EXPECT_TRUE(main.Visible());
    }
    ASSERT_EQ(log.trace.size(), 2u);
    EXPECT_NE(log.trace[1].find("退出"), std::string::npos);
    EXPECT_EQ(registry.Dword(Hive::CurrentUser, kSettingsKey, kCloseNoticeValue), 1u);
    EXPECT_FALSE(registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue));

    ResidentIcon again{main, schedule, registry};  // a later run
    again.Icon.Bind(&log);
    again.Start();
    main.RequestClose();
    again.Icon.ChooseMenuItem("退出");
    EXPECT_EQ(log.trace, (Trace{"add", log.trace[1], "add", "delete"}));
    EXPECT_EQ(app.ended, 1);
}

}  // namespace
}  // namespace tavrin
