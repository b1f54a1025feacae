#include "app/resident_icon.h"

#include <gtest/gtest.h>

#include "fakes/program_rig.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

// The taskbar's side: "add", "delete" and the notices in order, and the tip
// without the program's name. A busy shell takes nothing.
struct IconLog final : NotifyIconView {
    bool ShowIcon(bool shown, const std::string& t) override {
        trace.push_back(!busy ? shown ? "add" : "delete" : "busy");
        return !busy && (ShowTip(t), true);
    }
    bool ShowTip(const std::string& t) override { return tip = t.substr(t.find('\n') + 1), !busy; }
    bool ShowNotice(const std::string&, const std::string& text) override {
        if (!busy) trace.push_back(text);
        return !busy;
    }
    Trace trace;
    std::string tip;
    bool busy = false;
};

// The program started hidden, from a record that arms "关机" in 1 h 20 min
// at every start.
class ResidentIconTest : public ::testing::Test, public ProgramRig {
protected:
    void Start(const char* arguments, std::int16_t startCloseTask = 1) {
        Store({1, -1, 30, TimingMode::Countdown, {}, {}, MakeTimeOfDay(1, 20, 0), {}, startCloseTask});
        iconView = &log;
        app.arguments = arguments;
        ASSERT_FALSE(program.Start());
    }
    IconLog log;
};

// A postponed action comes back through a new dialog after ten minutes,
// unless the menu's stop cancels it, and is announced five minutes before;
// the stop is offered only while something is due.
TEST_F(ResidentIconTest, TheTipAndMenuFollowTheArmedAndPostponedActions) {
    Start("/run");
    ResidentIcon& icon = M().icon;
    EXPECT_EQ(log.trace, (Trace{"add", "已安排：关机 2026/12/6 21:20:00"}));
    EXPECT_EQ(log.tip, "关机：1小时 20分后");
    EXPECT_EQ(icon.Icon.MenuItems(), (Trace{"显示主窗口", "停止计时", "退出"}));
    icon.Icon.ChooseMenuItem("停止计时");
    EXPECT_EQ(log.tip, "未安排定时任务");
    EXPECT_EQ(icon.Icon.MenuItems(), (Trace{"显示主窗口", "退出"}));

    for (const bool stop : {false, true}) {
        log.trace.clear();
        M().shutdown.Postpone("锁定", 15);
        Tick(1);
        EXPECT_EQ(log.tip, "锁定（已推迟）：9分 59秒后");
        if (stop) icon.Icon.ChooseMenuItem("停止计时");
        Tick(599);
        EXPECT_EQ(program.Countdowns().Pending().size(), stop ? 0u : 1u);
        program.Countdowns().CancelAll();
        EXPECT_EQ(log.trace, stop ? Trace{} : Trace{"锁定将在5分钟后执行（2026/12/6 20:10:00）"});
        EXPECT_EQ(log.tip, "未安排定时任务");
    }
}

// Said once per user, once seen, in a value of its own beside the record; a shell too busy for the icon gets it with
// the next new taskbar; the click brings the window back; 退出 takes the icon away before the end.
TEST_F(ResidentIconTest, TheFirstCloseIsExplainedOnceAndExitRemovesTheIcon) {
    log.busy = true;
    Start("", 0);
    frmMain& main = M().main;
    ResidentIcon& icon = M().icon;
    main.RequestClose();
    EXPECT_FALSE(registry.Has(Hive::CurrentUser, kSettingsKey, kCloseNoticeValue));
    log.busy = false;
    log.trace.clear();
    icon.Icon.TaskbarCreated();
    for (int round = 0; round < 2; ++round) {
        main.RequestClose();
        EXPECT_FALSE(main.Visible());
        icon.Icon.Click();
        EXPECT_TRUE(main.Visible());
    }
    ASSERT_EQ(log.trace.size(), 2u);
    EXPECT_NE(log.trace[1].find("退出"), std::string::npos);
    EXPECT_EQ(registry.Dword(Hive::CurrentUser, kSettingsKey, kCloseNoticeValue), 1u);

    icon.Icon.ChooseMenuItem("退出");
    EXPECT_EQ(log.trace.back(), "delete");
    EXPECT_EQ(app.ended, 1);
}

}  // namespace
}  // namespace tavrin
