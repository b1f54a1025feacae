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
    Trace window;
    WindowProbe probe{window};

    void Tick(FormCount30& d, int times) {
        for (int i = 0; i < times; ++i) d.Timer1.Tick();
    }
};

TEST_F(CountdownDialogTest, ShutdownCountsDownEverySecondAndRunsAtTheLastTickOnce) {
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

// The dialog names the task and hands it on; turning the monitor off is its own.
TEST_F(CountdownDialogTest, EachTaskRunsAtZeroOnTheButtonOrWithoutACountAtOnceAndWithoutAWindow) {
    const struct {
        const char* task;
        Trace ran;
    } cases[] = {{"关显示器", {"MonitorPower(2)"}}, {"重启", {"ExitWindowsEx(2,0xFFFFFFFF)"}},
                 {"锁定", {"LockWorkStation"}},      {"打开网址", {}}};
    for (const auto& c : cases)
        for (std::string_view way : {"at zero", "by button", "count 0"}) {
            const bool atOnce = way == "count 0";
            power.calls.clear();
            FormCount30 d(module);
            d.Bind(&probe);
            window.clear();
            d.DoTask(c.task, "", atOnce ? 0 : 3);
            EXPECT_EQ(window.empty(), atOnce) << "case: " << c.task << " " << way;
            if (!atOnce) {
                EXPECT_EQ(d.Command1.Caption(), "立即" + std::string(c.task)) << "case: " << c.task;
            }
            Tick(d, way == "at zero" ? 3 : 1);
            if (way == "by button") d.Command1.Click();
            EXPECT_EQ(power.Actions(), c.ran) << "case: " << c.task << " " << way;
            EXPECT_TRUE(d.Closed()) << "case: " << c.task << " " << way;
        }
}

// The smallest count stays put instead of wrapping round to 32767.
TEST_F(CountdownDialogTest, NegativeCountShowsItsNumberAndRunsAtTheFirstTick) {
    for (auto [count, afterTick] : {std::pair<std::int16_t, int>{-1, -2}, {-32768, -32768}}) {
        power.calls.clear();
        FormCount30 d(module);
        d.DoTask("休眠", "", count);
        EXPECT_EQ(d.Label1.Caption(), "系统将在" + std::to_string(count) + "秒后休眠！") << "case: " << count;
        Tick(d, 1);
        EXPECT_EQ(d.Label1.Caption(), "系统将在" + std::to_string(afterTick) + "秒后休眠！") << "case: " << count;
        EXPECT_EQ(power.Actions(), Trace{"SetSuspendState(1,0,0)"}) << "case: " << count;
    }
}

TEST_F(CountdownDialogTest, AReminderClosesAfterItsCountOrOnOKAndWithoutACountWaitsForTheUser) {
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
    early.Command1.Click();
    EXPECT_TRUE(early.Closed());

    FormCount30 waiting(module);
    waiting.DoTask("提醒", "会议\r\n三点", 0);
    EXPECT_EQ(waiting.Label1.Caption(), "会议\r\n三点");
    EXPECT_EQ(waiting.Command1.Caption(), "确定");
    Tick(waiting, 100);  // a stray tick finds the timer off
    EXPECT_TRUE(waiting.Visible());
    waiting.Command1.Click();
    EXPECT_TRUE(waiting.Closed());
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
