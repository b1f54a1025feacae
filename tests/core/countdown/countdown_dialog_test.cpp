#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "countdown/countdown_dialogs.h"
#include "countdown/form_count30.h"
#include "countdown/postponer.h"
#include "fakes/fake_power_action_runner.h"

namespace tavrin {
namespace {

using namespace testing;
using Actions = std::vector<ActionLabel>;

void Tick(FormCount30& d, int times) {
    for (int i = 0; i < times; ++i) d.Timer1.Tick();
}

const Actions kMonitorOff{"monitor off"};

// Each way a dialog ends, then later ticks and clicks: the action runs once
// at zero, on the button, or at once without a count; cancel and the frame
// run nothing. A negative count runs at the first tick, the smallest too.
TEST(CountdownDialog, RunsItsActionOnceUnlessCancelled) {
    const struct {
        const char* task;
        std::int16_t count;
        const char* way;
        Actions ran;
    } cases[] = {
        {"重启", 3, "wait", {"重启"}},        {"重启", -32768, "wait", {"重启"}},  {"重启", 3, "button", {"重启"}},
        {"重启", 0, "none", {"重启"}},        {"重启", 3, "cancel", {}},           {"重启", 3, "frame", {}},
        {"关显示器", 3, "wait", kMonitorOff}, {"关显示器", 0, "none", kMonitorOff}};
    for (const auto& c : cases) {
        FakePowerActionRunner power;
        FormCount30 d(power);
        d.DoTask(c.task, "", c.count);
        EXPECT_EQ(d.Visible(), c.count != 0) << c.way;
        EXPECT_TRUE(c.count == 0 || d.Label1.Caption().find(std::to_string(c.count)) != std::string::npos);
        Tick(d, c.count > 0 ? c.count - 1 : 0);
        EXPECT_TRUE(power.actions.empty() || c.count <= 0) << c.way;
        if (std::string_view(c.way) == "button") d.Command1.Click();
        if (std::string_view(c.way) == "cancel") d.Command2.Click();
        if (std::string_view(c.way) == "frame") d.RequestClose();
        Tick(d, 3);
        d.Command1.Click();
        EXPECT_TRUE(d.Closed()) << c.way;
        EXPECT_EQ(power.actions, c.ran) << c.task << " " << c.count << " " << c.way;
    }
}

// A reminder ends after its count or on OK; without a count it waits.
TEST(CountdownDialog, AReminderEndsAfterItsCountOrOnOKAndCannotBePutOff) {
    FakePowerActionRunner power;
    FormCount30 counted(power), waiting(power);
    counted.DoTask("提醒", "该休息了", 2);
    EXPECT_FALSE(counted.Command3.Visible());
    Tick(counted, 2);
    waiting.DoTask("提醒", "会议", 0);
    Tick(waiting, 5);
    EXPECT_TRUE(counted.Closed());
    EXPECT_TRUE(waiting.Visible());
    waiting.Command1.Click();
    EXPECT_TRUE(waiting.Closed());
}

struct PostponeLog final : Postponer {
    void Postpone(const ActionLabel& label, std::int16_t count) override {
        calls.push_back(label + std::to_string(count));
    }
    std::vector<std::string> calls;
};

// Put off after some ticks, the action goes on with its full count and the
// dialog is gone; nothing runs at its zero.
TEST(CountdownDialog, PostponingClosesTheDialogAndHandsTheActionOn) {
    FakePowerActionRunner power;
    PostponeLog postponer;
    FormCount30 d(power, &postponer);
    d.DoTask("关机", "", 5);
    Tick(d, 2);
    d.Command3.Click();
    d.Command3.Click();
    Tick(d, 5);
    EXPECT_TRUE(d.Closed());
    EXPECT_EQ(postponer.calls, std::vector<std::string>{"关机5"});
    EXPECT_TRUE(power.actions.empty());
}

// Notes each dialog's window: kept on top, destroyed, and let go.
struct WindowLog final : FormView {
    WindowLog(FormCount30& dialog, std::vector<std::string>& log) : dialog(dialog), log(log) { dialog.Bind(this); }
    ~WindowLog() override {
        log.push_back("released");
        dialog.Bind(nullptr);
    }
    void ShowOnTop(bool onTop) override { log.push_back(onTop ? "on top" : "not on top"); }
    void Destroy() override { log.push_back("gone"); }
    FormCount30& dialog;
    std::vector<std::string>& log;
};

struct CountdownDialogsTest : ::testing::Test {
    FakePowerActionRunner power;
    std::vector<std::string> windows;
    std::vector<FormCount30*> created;
    CountdownDialogs dialogs{power, [this](FormCount30& d) -> std::unique_ptr<FormView> {
                                 created.push_back(&d);
                                 return std::make_unique<WindowLog>(d, windows);
                             }};
};

// A key pressed again while a dialog of its action counts (whoever opened
// it) opens no second one; a closed dialog goes at the next start.
TEST_F(CountdownDialogsTest, AKeyOpensNoSecondDialogOfItsActionAndClosedOnesGoLater) {
    dialogs.DoTask("关机", "", 30);
    EXPECT_EQ(windows, std::vector<std::string>{"on top"});
    for (int repeat = 0; repeat < 3; ++repeat) dialogs.DoKeyTask("关机", 30);
    dialogs.DoKeyTask("锁定", 30);
    EXPECT_EQ(created.size(), 2u);
    EXPECT_EQ(dialogs.Pending().size(), 2u);
    EXPECT_TRUE(dialogs.CancelAll());
    EXPECT_FALSE(dialogs.CancelAll());
    windows.clear();
    dialogs.DoKeyTask("关机", 0);
    EXPECT_EQ(windows, (std::vector<std::string>{"released", "released", "on top"}));
    EXPECT_EQ(power.actions, Actions{"关机"});
}

// While the action's box is up, ticks, clicks and a new dialog neither run
// it again nor let it go.
TEST_F(CountdownDialogsTest, ADialogInsideItsActionStaysAndRunsOnce) {
    power.during = [&] {
        power.during = nullptr;
        FormCount30& running = *created.front();
        Tick(running, 5);
        running.Command1.Click();
        running.Command3.Click();
        dialogs.DoTask("锁定", "", 0);
        EXPECT_FALSE(running.Closed());
    };
    dialogs.DoTask("关机", "", 1);
    Tick(*created.front(), 1);
    EXPECT_EQ(power.actions, (Actions{"关机", "锁定"}));
    EXPECT_TRUE(created.front()->Closed());
}

}  // namespace
}  // namespace tavrin
