#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_power.h"
#include "fakes/fake_shell.h"
#include "fakes/tracing_ports.h"
#include "power/module_shut_down.h"
#include "schedule/countdown_dialogs.h"
#include "schedule/form_count30.h"
#include "schedule/postponer.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

// The dialog's window as the platform would see it; bound to a control too,
// it notes when that one takes the keyboard focus.
class WindowProbe final : public FormView, public ControlView {
public:
    explicit WindowProbe(Trace& trace) : trace_(trace) {}
    void ShowCaption(const std::string& caption) override { trace_.push_back("caption " + caption); }
    void TakeFocus() override { trace_.push_back("focus"); }
    void ShowOnTop(bool onTop) override { trace_.push_back(onTop ? "on top" : "not on top"); }
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
    FakeWorkstation workstation{&power.calls};
    ModuleShutDown module{power, workstation, messageBox};
    FormCount30 dialog{module};
    Trace window;
    WindowProbe probe{window};

    void Tick(FormCount30& d, int times) {
        for (int i = 0; i < times; ++i) d.Timer1.Tick();
    }
};

// A negative count shows its number and runs at the first tick; the
// smallest one stays put instead of wrapping round to 32767.
TEST_F(CountdownDialogTest, ShutdownCountsDownEverySecondAndRunsAtTheLastTickOnce) {
    for (std::int16_t count : {30, -1, -32768}) {
        power.calls.clear();
        FormCount30 d(module);
        window.clear();
        d.Bind(&probe);
        EXPECT_EQ(window, (Trace{"caption Tavrin－定时关机免费版", "on top", "hide"}));
        d.Command2.Bind(&probe);
        window.clear();
        d.DoTask("关机", "", count);
        EXPECT_EQ(window, (Trace{"caption Tavrin－定时关机免费版－关机", "center", "show", "front", "focus"}));
        EXPECT_EQ((Trace{d.Label1.Caption(), d.Command1.Caption(), d.Command2.Caption()}),
                  (Trace{"系统将在" + std::to_string(count) + "秒后关机！", "立即关机", "取消"}));
        EXPECT_EQ(d.Timer1.Interval(), 1000u);
        for (int left = std::max(count - 1, -32768);; left = std::max(left - 1, -32768)) {
            Tick(d, 1);
            EXPECT_EQ(d.Label1.Caption(), "系统将在" + std::to_string(left) + "秒后关机！") << "case: " << left;
            if (left <= 0) break;
            EXPECT_TRUE(power.calls.empty()) << "case: " << left;
        }
        EXPECT_EQ(power.Actions(), Trace{"ExitWindowsEx(1,0xFFFFFFFF)"}) << "case: " << count;
        EXPECT_TRUE(d.Closed()) << "case: " << count;
        EXPECT_EQ(window.back(), "destroy") << "case: " << count;
        Tick(d, 3);
        d.Command1.Click();
        EXPECT_EQ(power.Actions().size(), 1u) << "case: " << count;
    }
}

// The dialog names the task and hands it on; turning the monitor off is its
// own. Cancel and the frame close it before zero and nothing runs, later
// ticks or clicks included.
TEST_F(CountdownDialogTest, EachTaskRunsAtZeroOnTheButtonOrWithoutACountAtOnceAndWithoutAWindow) {
    const struct {
        const char* task;
        Trace ran;
    } cases[] = {{"关显示器", {"MonitorPower(2)"}},
                 {"重启", {"ExitWindowsEx(2,0xFFFFFFFF)"}},
                 {"锁定", {"LockWorkStation"}},
                 {"打开网址", {}}};
    for (const auto& c : cases)
        for (std::string_view way : {"at zero", "by button", "count 0", "cancel", "frame"}) {
            const bool atOnce = way == "count 0";
            const std::string what = "case: " + std::string(c.task) + " " + std::string(way);
            power.calls.clear();
            FormCount30 d(module);
            d.Bind(&probe);
            window.clear();
            d.DoTask(c.task, "", atOnce ? 0 : 3);
            EXPECT_EQ(window.empty(), atOnce) << what;
            EXPECT_EQ(d.Command1.Caption(), atOnce ? "" : "立即" + std::string(c.task)) << what;
            Tick(d, way == "at zero" ? 3 : 2);
            if (way == "by button") d.Command1.Click();
            if (way == "cancel") d.Command2.Click();
            if (way == "frame") d.RequestClose();
            EXPECT_TRUE(d.Closed()) << what;
            Tick(d, 5);
            d.Command1.Click();
            EXPECT_EQ(power.Actions(), way == "cancel" || way == "frame" ? Trace{} : c.ran) << what;
        }
}

TEST_F(CountdownDialogTest, AReminderClosesAfterItsCountOrOnOKAndWithoutACountWaitsForTheUser) {
    dialog.DoTask("提醒", "该休息了", 10);
    EXPECT_EQ((Trace{dialog.Caption(), dialog.Label1.Caption(), dialog.Command1.Caption()}),
              (Trace{"Tavrin－定时关机免费版－提醒", "该休息了\r\n\r\n系统将在10秒后结束提醒", "确定"}));
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
    EXPECT_EQ((Trace{waiting.Label1.Caption(), waiting.Command1.Caption()}), (Trace{"会议\r\n三点", "确定"}));
    Tick(waiting, 100);  // a stray tick finds the timer off
    EXPECT_TRUE(waiting.Visible());
    waiting.Command1.Click();
    EXPECT_TRUE(waiting.Closed());
    EXPECT_TRUE(power.calls.empty());
}

// Stands in for the window the platform layer attaches to each dialog.
class DialogWindow final : public FormView {
public:
    DialogWindow(FormCount30& dialog, Trace& trace) : dialog_(dialog), trace_(trace) {
        dialog_.Bind(this);
        trace_.push_back("window, loaded=" + std::to_string(dialog_.Loaded()));
    }
    ~DialogWindow() override {
        trace_.push_back("window gone " + dialog_.TaskName);  // the dialog is still there
        dialog_.Bind(nullptr);
    }
    void ShowWindow(bool visible) override {
        if (visible) trace_.push_back("show " + dialog_.TaskName);
    }

private:
    FormCount30& dialog_;
    Trace& trace_;
};

// Many dialogs at once, each with a window that notes its life.
class CountdownDialogsTest : public CountdownDialogTest {
protected:
    Trace windows;
    std::vector<FormCount30*> created;
    CountdownDialogs dialogs{module, [this](FormCount30& d) -> std::unique_ptr<FormView> {
                                 created.push_back(&d);
                                 return std::make_unique<DialogWindow>(d, windows);
                             }};
};

// A closed dialog is released, its window first, at the next dialog or release.
TEST_F(CountdownDialogsTest, TwoDialogsCountAtOnceEachRunsItsOwnActionAndClosedOnesAreReleasedLater) {
    dialogs.DoTask("关机", "", 30);  // from the schedule
    FormCount30& schedule = *created.back();
    Tick(schedule, 10);
    dialogs.DoTask("重启", "", 30);  // from a hotkey
    FormCount30& hotkey = *created.back();
    EXPECT_EQ(windows, (Trace{"window, loaded=0", "show 关机", "window, loaded=0", "show 重启"}));
    Tick(schedule, 20);
    EXPECT_EQ(power.Actions(), Trace{"ExitWindowsEx(1,0xFFFFFFFF)"});
    Tick(hotkey, 30);
    EXPECT_EQ(power.Actions(), (Trace{"ExitWindowsEx(1,0xFFFFFFFF)", "ExitWindowsEx(2,0xFFFFFFFF)"}));
    EXPECT_EQ(dialogs.Held(), 2u);
    windows.clear();
    dialogs.DoTask("锁定", "", 0);  // runs at once, never shown
    EXPECT_EQ(windows, (Trace{"window gone 关机", "window gone 重启", "window, loaded=0"}));
    EXPECT_EQ(dialogs.Held(), 1u);
    windows.clear();
    dialogs.DoTask("关机", "", 30);
    EXPECT_EQ(windows, (Trace{"window gone 锁定", "window, loaded=0", "show 关机"}));
    created.back()->Command2.Click();
    EXPECT_EQ(dialogs.Held(), 1u);  // cancelled, waiting for the next release
    windows.clear();
    dialogs.ReleaseClosed();
    EXPECT_EQ(windows, Trace{"window gone 关机"});
    EXPECT_EQ(dialogs.Held(), 0u);
}

// A key pressed again or held while a dialog of its action is open brings
// that one forward, the focus on 取消, whoever opened it (the schedule or a
// postponement too); another action's key and the schedule open their own.
TEST_F(CountdownDialogsTest, AKeyWhoseDialogIsOpenOpensNoSecond) {
    dialogs.DoKeyTask("关机", 30);
    FormCount30& first = *created.back();
    first.Bind(&probe);
    first.Command2.Bind(&probe);
    window.clear();
    for (int repeat = 0; repeat < 24; ++repeat) dialogs.DoKeyTask("关机", 30);
    EXPECT_EQ(std::pair(window.size(), window.back()), std::pair(std::size_t{48}, std::string("focus")));
    dialogs.DoKeyTask("锁定", 30);
    dialogs.DoTask("关机", "", 30);
    EXPECT_EQ(created.size(), 3u);
    first.Command2.Click();
    dialogs.DoKeyTask("关机", 30);  // the schedule's 关机 counts down: no second one behind it
    EXPECT_EQ(created.size(), 3u);
    for (std::size_t i = 1; i < created.size(); ++i) Tick(*created[i], 30);  // the first one is released
    EXPECT_EQ(power.Actions(), (Trace{"LockWorkStation", "ExitWindowsEx(1,0xFFFFFFFF)"}));
}

// While the action's box is up the timer is off, and ticks, clicks, the
// frame or a new dialog (a hotkey) neither run it again nor release it.
TEST_F(CountdownDialogsTest, ADialogStillInsideItsActionStaysAndRunsOnce) {
    power.failWith = {{"AdjustTokenPrivileges", 1300}};
    std::size_t heldWhileBoxUp = 0;
    messageBox.whileShown = [&] {
        messageBox.whileShown = nullptr;
        FormCount30& running = *created.front();
        EXPECT_FALSE(running.Timer1.Enabled() || running.Closed() || running.Visible());  // out of the box's way
        Tick(running, 5);
        running.Command1.Click();
        running.RequestClose();
        dialogs.DoTask("锁定", "", 0);
        dialogs.ReleaseClosed();
        heldWhileBoxUp = dialogs.Held();
    };
    dialogs.DoTask("关机", "", 2);
    Tick(*created.front(), 2);
    EXPECT_EQ(heldWhileBoxUp, 1u);  // the lock's dialog went, the counting one stayed
    EXPECT_EQ(power.Actions(), (Trace{"LockWorkStation", "ExitWindowsEx(1,0xFFFFFFFF)"}));
    EXPECT_EQ(created.front()->CountTime, 0);
    EXPECT_TRUE(created.front()->Closed());
    dialogs.ReleaseClosed();
    EXPECT_EQ(dialogs.Held(), 0u);
}

struct PostponeLog final : Postponer {
    void Postpone(const ActionLabel& label, std::int16_t count) override {
        calls.push_back(label + " " + std::to_string(count));
    }
    Trace calls;
};

// Put off after some ticks, the action is handed on with its full count,
// the dialog is gone and nothing runs at its zero; a reminder has no such button.
TEST_F(CountdownDialogTest, PostponingClosesTheDialogAndHandsTheActionOn) {
    PostponeLog postponer;
    FormCount30 d(module, &postponer);
    d.DoTask("关机", "", 5);
    EXPECT_TRUE(d.Command3.Visible());
    Tick(d, 2);
    d.Command3.Click();
    EXPECT_TRUE(d.Closed());
    Tick(d, 5);
    EXPECT_EQ(postponer.calls, Trace{"关机 5"});
    EXPECT_TRUE(power.calls.empty());

    FormCount30 reminder(module, &postponer);
    reminder.DoTask("提醒", "喝水", 5);
    EXPECT_FALSE(reminder.Command3.Visible());
}

}  // namespace
}  // namespace tavrin
