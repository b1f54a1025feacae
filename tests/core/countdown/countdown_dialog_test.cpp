#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "countdown/countdown_dialogs.h"
#include "countdown/form_count30.h"
#include "countdown/postponer.h"
#include "fakes/fake_power_action_runner.h"

namespace tavrin {
namespace {

using namespace testing;
using Log = std::vector<std::string>;

void Tick(FormCount30& d, int times) {
    for (int i = 0; i < times; ++i) d.Timer1.Tick();
}

struct PostponeLog final : Postponer {
    void Postpone(const ActionLabel& label, std::int16_t count) override {
        log.push_back(label + std::to_string(count));
    }
    Log log;
};

// Each way a dialog ends, then more ticks and clicks: the action runs once at
// zero (a negative count at the first tick), on the button, or at once
// without a count; cancel, the frame and putting off run nothing, the last
// handing on the full count. A reminder cannot be put off.
TEST(CountdownDialog, RunsItsActionOnceUnlessCancelledOrPutOff) {
    const struct {
        const char* task;
        std::int16_t count;
        const char* way;
        Log ran;
    } cases[] = {{"重启", 3, "wait", {"重启"}},
                 {"重启", -32768, "wait", {"重启"}},
                 {"重启", 3, "button", {"重启"}},
                 {"重启", 0, "wait", {"重启"}},
                 {"重启", 3, "cancel", {}},
                 {"重启", 3, "frame", {}},
                 {"重启", 3, "later", {"later重启3"}},
                 {"关显示器", 3, "wait", {"monitor off"}},
                 {"提醒", 3, "wait", {"提醒"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.task << " " << c.count << " " << c.way);
        FakePowerActionRunner power;
        PostponeLog postponer;
        FormCount30 d(power, &postponer);
        d.DoTask(c.task, "", c.count);
        EXPECT_EQ(d.Visible(), c.count != 0);
        EXPECT_EQ(d.Command3.Visible(), std::string_view(c.task) != "提醒");
        EXPECT_TRUE(c.count == 0 || d.Label1.Caption().find(std::to_string(c.count)) != std::string::npos);
        std::string counted = d.Label1.Caption();  // the label follows the count down to 1
        if (c.count > 1) counted.replace(counted.find(std::to_string(c.count)), 1, "1");
        Tick(d, c.count > 0 ? c.count - 1 : 0);
        EXPECT_EQ(d.Label1.Caption(), counted);
        EXPECT_TRUE(power.actions.empty() || c.count <= 0);
        const std::string_view way = c.way;
        if (way == "button") d.Command1.Click();
        if (way == "cancel") d.Command2.Click();
        if (way == "frame") d.RequestClose();
        if (way == "later") d.Command3.Click();
        Tick(d, 3);
        d.Command1.Click();
        d.Command3.Click();
        EXPECT_TRUE(d.Closed());
        for (const std::string& p : postponer.log) power.actions.push_back("later" + p);
        EXPECT_EQ(power.actions, c.ran);
    }
}

// Notes each dialog's window: kept on top, and let go.
struct WindowLog final : FormView {
    WindowLog(FormCount30& dialog, Log& log) : dialog(dialog), log(log) { dialog.Bind(this); }
    ~WindowLog() override {
        log.push_back("released");
        dialog.Bind(nullptr);
    }
    void ShowOnTop(bool onTop) override { log.push_back(onTop ? "on top" : "not on top"); }
    FormCount30& dialog;
    Log& log;
};

// A key pressed again while a dialog of its action counts (whoever opened
// it) opens no second one; while an action's box is up, ticks, clicks and a
// new dialog neither run it again nor let it go; a closed dialog's window
// goes at the next start.
TEST(CountdownDialogs, OneDialogAnActionAndNoneLetGoInsideItsAction) {
    FakePowerActionRunner power;
    Log windows;
    std::vector<FormCount30*> created;
    CountdownDialogs dialogs{power, [&](FormCount30& d) -> std::unique_ptr<FormView> {
                                 created.push_back(&d);
                                 return std::make_unique<WindowLog>(d, windows);
                             }};
    dialogs.DoTask("关机", "", 30);
    for (int repeat = 0; repeat < 3; ++repeat) dialogs.DoKeyTask("关机", 30);
    dialogs.DoKeyTask("锁定", 30);
    EXPECT_EQ(dialogs.Pending().size(), 2u);
    EXPECT_TRUE(dialogs.CancelAll());
    EXPECT_FALSE(dialogs.CancelAll());
    bool inside = false;
    power.during = [&] {
        if (std::exchange(inside, true)) return;
        Tick(*created[2], 5);
        created[2]->Command1.Click();
        dialogs.DoTask("锁定", "", 0);
        EXPECT_FALSE(created[2]->Closed());
    };
    dialogs.DoTask("关机", "", 1);
    Tick(*created[2], 1);
    EXPECT_EQ(power.actions, (Log{"关机", "锁定"}));
    EXPECT_TRUE(created[2]->Closed());
    EXPECT_EQ(windows, (Log{"on top", "on top", "released", "released", "on top", "on top"}));
}

}  // namespace
}  // namespace tavrin
