#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_power.h"
#include "fakes/tracing_ports.h"
#include "power/module_shut_down.h"
#include "schedule/countdown_dialogs.h"
#include "schedule/form_count30.h"

namespace tavrin {
namespace {

using namespace testing;
using Trace = std::vector<std::string>;

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

class CountdownDialogsTest : public ::testing::Test {
protected:
    RecordingPower power;
    TracingMessageBox messageBox{power.calls};
    TracingWorkstation workstation{power.calls};
    ModuleShutDown module{power, workstation, messageBox};
    Trace windows;
    std::vector<FormCount30*> created;
    CountdownDialogs dialogs{module, [this](FormCount30& d) -> std::unique_ptr<FormView> {
                                 created.push_back(&d);
                                 return std::make_unique<DialogWindow>(d, windows);
                             }};
};

TEST_F(CountdownDialogsTest, TwoDialogsCountAtOnceAndEachRunsItsOwnAction) {
    dialogs.DoTask("关机", "", 30);  // from the schedule
    FormCount30& schedule = *created.back();
    for (int i = 0; i < 10; ++i) schedule.Timer1.Tick();
    dialogs.DoTask("重启", "", 30);  // from a hotkey
    FormCount30& hotkey = *created.back();
    EXPECT_NE(&schedule, &hotkey);
    EXPECT_EQ(windows, (Trace{"window, loaded=0", "show 关机", "window, loaded=0", "show 重启"}));
    for (int second = 11; second <= 40; ++second) {
        schedule.Timer1.Tick();
        hotkey.Timer1.Tick();
        if (second == 30) {
            EXPECT_EQ(power.Actions(), Trace{"ExitWindowsEx(1,0xFFFFFFFF)"});
        }
    }
    EXPECT_EQ(power.Actions(), (Trace{"ExitWindowsEx(1,0xFFFFFFFF)", "ExitWindowsEx(2,0xFFFFFFFF)"}));
}

TEST_F(CountdownDialogsTest, ClosedDialogsAreReleasedLaterWithTheirWindowFirst) {
    dialogs.DoTask("锁定", "", 0);  // runs at once, never shown
    EXPECT_EQ(power.Actions(), Trace{"LockWorkStation"});
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

TEST_F(CountdownDialogsTest, ADialogStillInsideItsActionIsNotReleasedByANewOne) {
    power.failWith = {{"AdjustTokenPrivileges", 1300}};
    std::size_t heldWhileBoxUp = 0;
    messageBox.whileShown = [&] {
        messageBox.whileShown = nullptr;
        dialogs.DoTask("锁定", "", 0);  // a hotkey handled while the box is up
        dialogs.ReleaseClosed();
        heldWhileBoxUp = dialogs.Held();
    };
    dialogs.DoTask("关机", "", 1);
    created.front()->Timer1.Tick();
    EXPECT_EQ(heldWhileBoxUp, 1u);  // the lock's dialog went, the counting one stayed
    EXPECT_EQ(power.Actions(), (Trace{"LockWorkStation", "ExitWindowsEx(1,0xFFFFFFFF)"}));
    dialogs.ReleaseClosed();
    EXPECT_EQ(dialogs.Held(), 0u);
}

}  // namespace
}  // namespace tavrin
