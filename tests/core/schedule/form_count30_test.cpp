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

std::string ExitWindowsEx(int flags) { return "ExitWindowsEx(" + std::to_string(flags) + ",0xFFFFFFFF)"; }

class CountdownDialogTest : public ::testing::Test {
protected:
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    TracingWorkstation workstation{power.calls};
    ModuleShutDown module{power, workstation, messageBox};
    FormCount30 dialog{module};

    // What ran: the system calls and the locks, without the privilege steps.
    Trace Ran() const {
        Trace r;
        for (const std::string& c : power.calls)
            if (c == "LockWorkStation" || c.starts_with("ExitWindowsEx") || c.starts_with("SetSuspendState") ||
                c.starts_with("MonitorPower"))
                r.push_back(c);
        return r;
    }
    void Tick(int times) {
        for (int i = 0; i < times; ++i) dialog.Timer1.Tick();
    }
};

TEST_F(CountdownDialogTest, ShutdownCountsDownEverySecondAndRunsAtTheLastTickOnce) {
    dialog.DoTask("关机", "", 30);
    EXPECT_EQ(dialog.Caption(), "Tavrin－定时关机免费版－关机");
    EXPECT_EQ(dialog.Label1.Caption(), "系统将在30秒后关机！");
    EXPECT_EQ(dialog.Command1.Caption(), "立即关机");
    EXPECT_EQ(dialog.Command2.Caption(), "取消");
    EXPECT_TRUE(dialog.Visible());
    EXPECT_TRUE(dialog.Timer1.Enabled());
    EXPECT_EQ(dialog.Timer1.Interval(), 1000u);
    for (int left = 29; left >= 1; --left) {
        Tick(1);
        EXPECT_EQ(dialog.Label1.Caption(), "系统将在" + std::to_string(left) + "秒后关机！") << "case: " << left;
        EXPECT_EQ(dialog.Command1.Caption(), "立即关机") << "case: " << left;
        EXPECT_EQ(dialog.CountTime, left);
        EXPECT_TRUE(Ran().empty()) << "case: " << left;
    }
    Tick(1);
    EXPECT_EQ(dialog.Label1.Caption(), "系统将在0秒后关机！");
    EXPECT_EQ(Ran(), Trace{ExitWindowsEx(1)});
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_FALSE(dialog.Timer1.Enabled());
    EXPECT_TRUE(dialog.Closed());
    Tick(3);
    dialog.Command1.Click();
    EXPECT_EQ(Ran(), Trace{ExitWindowsEx(1)});
}

TEST_F(CountdownDialogTest, EachTaskRunsItsOwnActionAtZeroAndOnTheButton) {
    const struct {
        const char* task;
        Trace ran;
    } cases[] = {
        {"关机", {ExitWindowsEx(1)}},
        {"强制关机", {ExitWindowsEx(5)}},
        {"休眠", {"SetSuspendState(1,0,0)"}},
        {"锁定", {"LockWorkStation"}},
        {"注销", {ExitWindowsEx(0)}},
        {"重启", {ExitWindowsEx(2)}},
        {"关显示器", {"MonitorPower(2)"}},
        {"打开网址", {}},
        {"", {}},
        {"关机 ", {}},
    };
    for (const auto& c : cases) {
        for (bool byButton : {false, true}) {
            power.calls.clear();
            FormCount30 d(module);
            d.DoTask(c.task, "", 3);
            EXPECT_EQ(d.Label1.Caption(), "系统将在3秒后" + std::string(c.task) + "！") << "case: " << c.task;
            EXPECT_EQ(d.Command1.Caption(), "立即" + std::string(c.task)) << "case: " << c.task;
            if (byButton) {
                d.Timer1.Tick();
                d.Command1.Click();
            } else {
                for (int i = 0; i < 3; ++i) d.Timer1.Tick();
            }
            EXPECT_EQ(Ran(), c.ran) << "case: " << c.task << (byButton ? " by button" : " at zero");
            EXPECT_FALSE(d.Loaded()) << "case: " << c.task;
            EXPECT_TRUE(d.Closed()) << "case: " << c.task;
        }
    }
}

TEST_F(CountdownDialogTest, ZeroCountInTaskModeRunsBeforeDoTaskReturnsWithNoWindow) {
    for (const char* task : {"锁定", "关机", "关显示器", "打开网址", ""}) {
        Trace window;
        WindowProbe probe(window);
        FormCount30 d(module);
        d.Bind(&probe);
        window.clear();
        power.calls.clear();
        d.DoTask(task, "", 0);
        EXPECT_EQ(window, Trace{}) << "case: " << task;
        EXPECT_FALSE(d.Loaded()) << "case: " << task;
        EXPECT_TRUE(d.Closed()) << "case: " << task;
        EXPECT_FALSE(d.Timer1.Enabled()) << "case: " << task;
    }
    power.calls.clear();
    FormCount30 lock(module);
    lock.DoTask("锁定", "", 0);
    EXPECT_EQ(power.calls, Trace{"LockWorkStation"});
}

TEST_F(CountdownDialogTest, TheWindowIsCaptionedCentredShownAndBroughtToTheFront) {
    Trace window;
    WindowProbe probe(window);
    dialog.Bind(&probe);
    window.clear();
    dialog.DoTask("重启", "", 30);
    EXPECT_EQ(window, (Trace{"caption Tavrin－定时关机免费版－重启", "center", "show", "front"}));
    EXPECT_TRUE(dialog.Active());
    EXPECT_EQ(dialog.Host(), nullptr);
    window.clear();
    dialog.Command2.Click();
    EXPECT_EQ(window, Trace{"destroy"});
}

TEST_F(CountdownDialogTest, NegativeCountShowsItsNumberAndRunsAtTheFirstTick) {
    const struct {
        std::int16_t count;
        const char* shown;
        const char* afterTick;
    } cases[] = {
        {-1, "系统将在-1秒后休眠！", "系统将在-2秒后休眠！"},
        {-300, "系统将在-300秒后休眠！", "系统将在-301秒后休眠！"},
        // The smallest count stays put instead of wrapping round to 32767.
        {-32768, "系统将在-32768秒后休眠！", "系统将在-32768秒后休眠！"},
    };
    for (const auto& c : cases) {
        power.calls.clear();
        FormCount30 d(module);
        d.DoTask("休眠", "", c.count);
        EXPECT_TRUE(d.Visible()) << "case: " << c.count;
        EXPECT_EQ(d.Label1.Caption(), c.shown) << "case: " << c.count;
        EXPECT_TRUE(Ran().empty()) << "case: " << c.count;
        d.Timer1.Tick();
        EXPECT_EQ(d.Label1.Caption(), c.afterTick) << "case: " << c.count;
        EXPECT_EQ(Ran(), Trace{"SetSuspendState(1,0,0)"}) << "case: " << c.count;
        EXPECT_TRUE(d.Closed()) << "case: " << c.count;
    }
}

TEST_F(CountdownDialogTest, LargestCountStartsFromItsNumber) {
    dialog.DoTask("注销", "", 32767);
    EXPECT_EQ(dialog.Label1.Caption(), "系统将在32767秒后注销！");
    Tick(1);
    EXPECT_EQ(dialog.Label1.Caption(), "系统将在32766秒后注销！");
    EXPECT_TRUE(Ran().empty());
}

TEST_F(CountdownDialogTest, ReminderWithACountClosesAfterItWithoutAnyAction) {
    dialog.DoTask("提醒", "该休息了", 10);
    EXPECT_EQ(dialog.Caption(), "Tavrin－定时关机免费版－提醒");
    EXPECT_EQ(dialog.Label1.Caption(), "该休息了\r\n\r\n系统将在10秒后结束提醒");
    EXPECT_EQ(dialog.Command1.Caption(), "确定");
    EXPECT_TRUE(dialog.Timer1.Enabled());
    Tick(9);
    EXPECT_EQ(dialog.Label1.Caption(), "该休息了\r\n\r\n系统将在1秒后结束提醒");
    EXPECT_TRUE(dialog.Loaded());
    Tick(1);
    EXPECT_EQ(dialog.Label1.Caption(), "该休息了\r\n\r\n系统将在0秒后结束提醒");
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(dialog.Closed());
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(CountdownDialogTest, ReminderOkAndCancelCloseAtOnce) {
    for (bool ok : {true, false}) {
        FormCount30 d(module);
        d.DoTask("提醒", "", 10);
        EXPECT_EQ(d.Label1.Caption(), "\r\n\r\n系统将在10秒后结束提醒");
        (ok ? d.Command1 : d.Command2).Click();
        EXPECT_FALSE(d.Loaded()) << "case: " << (ok ? "ok" : "cancel");
        EXPECT_TRUE(d.Closed()) << "case: " << (ok ? "ok" : "cancel");
    }
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(CountdownDialogTest, ReminderWithoutACountWaitsForTheUser) {
    dialog.DoTask("提醒", "会议\r\n三点", 0);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(dialog.Caption(), "Tavrin－定时关机免费版－提醒");
    EXPECT_EQ(dialog.Label1.Caption(), "会议\r\n三点");
    EXPECT_EQ(dialog.Command1.Caption(), "确定");
    EXPECT_FALSE(dialog.Timer1.Enabled());
    Tick(100);  // a stray tick finds the timer off
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_EQ(dialog.CountTime, 0);
    dialog.Command1.Click();
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(dialog.Closed());
    EXPECT_TRUE(power.calls.empty());
}

TEST_F(CountdownDialogTest, CancelOrTheFrameBeforeZeroRunsNothing) {
    for (int ticks : {0, 1, 15, 29}) {
        for (bool frame : {false, true}) {
            FormCount30 d(module);
            d.DoTask("关机", "", 30);
            for (int i = 0; i < ticks; ++i) d.Timer1.Tick();
            if (frame)
                d.RequestClose();
            else
                d.Command2.Click();
            EXPECT_FALSE(d.Loaded()) << "case: " << ticks << (frame ? " frame" : " cancel");
            EXPECT_FALSE(d.Timer1.Enabled()) << "case: " << ticks;
            EXPECT_TRUE(d.Closed()) << "case: " << ticks;
            for (int i = 0; i < 40; ++i) d.Timer1.Tick();
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
        Tick(5);
        dialog.Command1.Click();  // a click that got through to the dialog meanwhile
    };
    dialog.DoTask("关机", "", 2);
    Tick(2);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(Ran(), Trace{ExitWindowsEx(1)});
    EXPECT_EQ(dialog.CountTime, 0);
    EXPECT_TRUE(dialog.Closed());
}

TEST_F(CountdownDialogTest, ClosingTheFrameWhileTheBoxIsUpStillEndsWithTheActionOnce) {
    power.failWith = {{"OpenProcessToken", 5}};
    messageBox.whileShown = [&] { dialog.RequestClose(); };
    dialog.DoTask("重启", "", 1);
    Tick(1);
    EXPECT_EQ(Ran(), Trace{ExitWindowsEx(2)});
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(dialog.Closed());
}

}  // namespace
}  // namespace tavrin
