#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_power.h"
#include "fakes/tracing_ports.h"
#include "power/module_shut_down.h"
#include "schedule/form_count30.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

// The dialog's window as the platform would see it.
class WindowProbe final : public FormView {
public:
    explicit WindowProbe(Trace& trace) : trace_(trace) {}
    void ShowCaption(const std::string& caption) override { trace_.push_back("caption " + caption); }
    void ShowWindow(bool visible) override { trace_.push_back(visible ? "show" : "hide"); }
    void Center() override { trace_.push_back("center"); }
    void BringToFront() override { trace_.push_back("front"); }
    void Destroy() override { trace_.push_back("destroy"); }

private:
    Trace& trace_;
};

class CountdownDialogTest : public ::testing::Test {
protected:
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    TracingWorkstation workstation{power.calls};
    ModuleShutDown module{power, workstation, messageBox};
    FormCount30 dialog{module};

    void Tick(FormCount30& d, int times) {
        for (int i = 0; i < times; ++i) d.Timer1.Tick();
    }
};

TEST_F(CountdownDialogTest, ShutdownCountsDownEverySecondAndRunsAtTheLastTickOnce) {
    Trace window;
    WindowProbe probe(window);
    dialog.Bind(&probe);
    window.clear();
    dialog.DoTask("关机", "", 30);
    EXPECT_EQ(window, (Trace{"caption Tavrin－定时关机免费版－关机", "center", "show", "front"}));
    EXPECT_EQ(dialog.Label1.Caption(), "系统将在30秒后关机！");
    EXPECT_EQ(dialog.Command1.Caption(), "立即关机");
    EXPECT_EQ(dialog.Command2.Caption(), "取消");
    EXPECT_EQ(dialog.Timer1.Interval(), 1000u);
    for (int left = 29; left >= 1; --left) {
        Tick(dialog, 1);
        EXPECT_EQ(dialog.Label1.Caption(), "系统将在" + std::to_string(left) + "秒后关机！") << "case: " << left;
        EXPECT_TRUE(power.calls.empty()) << "case: " << left;
    }
    Tick(dialog, 1);
    EXPECT_EQ(dialog.Label1.Caption(), "系统将在0秒后关机！");
    EXPECT_EQ(power.Actions(), Trace{"ExitWindowsEx(1,0xFFFFFFFF)"});
    EXPECT_TRUE(dialog.Closed());
    EXPECT_EQ(window.back(), "destroy");
    Tick(dialog, 3);
    dialog.Command1.Click();
    EXPECT_EQ(power.Actions().size(), 1u);
}

TEST_F(CountdownDialogTest, EachTaskRunsItsOwnActionAtZeroAndOnTheButton) {
    const struct {
        const char* task;
        Trace ran;
    } cases[] = {
        {"关机", {"ExitWindowsEx(1,0xFFFFFFFF)"}}, {"强制关机", {"ExitWindowsEx(5,0xFFFFFFFF)"}},
        {"休眠", {"SetSuspendState(1,0,0)"}},     {"锁定", {"LockWorkStation"}},
        {"注销", {"ExitWindowsEx(0,0xFFFFFFFF)"}}, {"重启", {"ExitWindowsEx(2,0xFFFFFFFF)"}},
        {"关显示器", {"MonitorPower(2)"}},         {"打开网址", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        for (bool byButton : {false, true}) {
            power.calls.clear();
            FormCount30 d(module);
            d.DoTask(c.task, "", 3);
            EXPECT_EQ(d.Command1.Caption(), "立即" + std::string(c.task)) << "case: " << c.task;
            Tick(d, byButton ? 1 : 3);
            if (byButton) d.Command1.Click();
            EXPECT_EQ(power.Actions(), c.ran) << "case: " << c.task << (byButton ? " by button" : " at zero");
            EXPECT_TRUE(d.Closed()) << "case: " << c.task;
        }
    }
}

TEST_F(CountdownDialogTest, ZeroCountInTaskModeRunsBeforeDoTaskReturnsWithNoWindow) {
    const struct {
        const char* task;
        Trace ran;
    } cases[] = {{"锁定", {"LockWorkStation"}}, {"关显示器", {"MonitorPower(2)"}}, {"打开网址", {}}};
    for (const auto& c : cases) {
        Trace window;
        WindowProbe probe(window);
        FormCount30 d(module);
        d.Bind(&probe);
        window.clear();
        power.calls.clear();
        d.DoTask(c.task, "", 0);
        EXPECT_EQ(power.Actions(), c.ran) << "case: " << c.task;
        EXPECT_EQ(window, Trace{}) << "case: " << c.task;
        EXPECT_FALSE(d.Loaded()) << "case: " << c.task;
        EXPECT_TRUE(d.Closed()) << "case: " << c.task;
    }
}

TEST_F(CountdownDialogTest, NegativeCountShowsItsNumberAndRunsAtTheFirstTick) {
    const struct {
        std::int16_t count;
        const char* shown;
        const char* afterTick;
    } cases[] = {
        {-1, "系统将在-1秒后休眠！", "系统将在-2秒后休眠！"},
        // The smallest count stays put instead of wrapping round to 32767.
        {-32768, "系统将在-32768秒后休眠！", "系统将在-32768秒后休眠！"},
    };
    for (const auto& c : cases) {
        power.calls.clear();
        FormCount30 d(module);
        d.DoTask("休眠", "", c.count);
        EXPECT_TRUE(d.Visible()) << "case: " << c.count;
        EXPECT_EQ(d.Label1.Caption(), c.shown) << "case: " << c.count;
        Tick(d, 1);
        EXPECT_EQ(d.Label1.Caption(), c.afterTick) << "case: " << c.count;
        EXPECT_EQ(power.Actions(), Trace{"SetSuspendState(1,0,0)"}) << "case: " << c.count;
    }
}

TEST_F(CountdownDialogTest, ReminderWithACountClosesAfterItWithoutAnyAction) {
    dialog.DoTask("提醒", "该休息了", 10);
    EXPECT_EQ(dialog.Caption(), "Tavrin－定时关机免费版－提醒");
    EXPECT_EQ(dialog.Label1.Caption(), "该休息了\r\n\r\n系统将在10秒后结束提醒");
    EXPECT_EQ(dialog.Command1.Caption(), "确定");
    Tick(dialog, 9);
    EXPECT_EQ(dialog.Label1.Caption(), "该休息了\r\n\r\n系统将在1秒后结束提醒");
    EXPECT_TRUE(dialog.Loaded());
    Tick(dialog, 1);
    EXPECT_TRUE(dialog.Closed());

    FormCount30 early(module);
    early.DoTask("提醒", "", 10);
    early.Command1.Click();  // "确定" closes it at once
    EXPECT_TRUE(early.Closed());
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(CountdownDialogTest, ReminderWithoutACountWaitsForTheUser) {
    dialog.DoTask("提醒", "会议\r\n三点", 0);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Label1.Caption(), "会议\r\n三点");
    EXPECT_EQ(dialog.Command1.Caption(), "确定");
    EXPECT_FALSE(dialog.Timer1.Enabled());
    Tick(dialog, 100);  // a stray tick finds the timer off
    EXPECT_TRUE(dialog.Loaded());
    dialog.Command1.Click();
    EXPECT_TRUE(dialog.Closed());
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(CountdownDialogTest, CancelOrTheFrameBeforeZeroRunsNothing) {
    for (int ticks : {0, 15, 29}) {
        for (bool frame : {false, true}) {
            FormCount30 d(module);
            d.DoTask("关机", "", 30);
            Tick(d, ticks);
            frame ? d.RequestClose() : d.Command2.Click();
            EXPECT_FALSE(d.Loaded()) << "case: " << ticks << (frame ? " frame" : " cancel");
            EXPECT_TRUE(d.Closed()) << "case: " << ticks << (frame ? " frame" : " cancel");
            Tick(d, 40);
            d.Command1.Click();
        }
    }
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(CountdownDialogTest, TheTimerIsOffWhileTheActionsBoxIsUp) {
    power.failWith = {{"AdjustTokenPrivileges", 1300}};
    int boxes = 0;
    messageBox.whileShown = [&] {
        ++boxes;
        EXPECT_FALSE(dialog.Timer1.Enabled());
        EXPECT_FALSE(dialog.Closed());  // its handler is still on the way
        Tick(dialog, 5);
        dialog.Command1.Click();  // a click that got through meanwhile
        dialog.RequestClose();
    };
    dialog.DoTask("关机", "", 2);
    Tick(dialog, 2);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(power.Actions(), Trace{"ExitWindowsEx(1,0xFFFFFFFF)"});
    EXPECT_EQ(dialog.CountTime, 0);
    EXPECT_TRUE(dialog.Closed());
}

}  // namespace
}  // namespace tavrin
