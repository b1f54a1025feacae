#include "toolkit/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/tracing_form.h"
#include "toolkit/form.h"

namespace tavrin {
namespace {

using Trace = std::vector<std::string>;

struct RecordingView final : ControlView {
    Trace calls;
    void ShowValue(int v) override { calls.push_back("value " + std::to_string(v)); }
    void ShowEnabled(bool on) override { calls.push_back(on ? "on" : "off"); }
};

// Binding shows the state; the view shows a new value before the handler
// runs, and the handler already reads it.
TEST(CheckBoxRule, CodeAndUserClicksRunTheHandlerOnceAndOnlyOnAChange) {
    CheckBox box("x", 1);
    RecordingView view;
    box.Bind(&view);
    box.onClick = [&] { view.calls.push_back("click " + std::to_string(box.Value())); };
    for (int v : {1, 0, 2, 2}) box.SetValue(v);
    box.Click();  // grey goes clear
    box.Click();
    box.SetEnabled(false);
    box.Click();
    box.SetValue(2);  // code still works on a disabled box
    EXPECT_EQ(view.calls, (Trace{"on", "value 1", "value 0", "click 0", "value 2", "click 2", "value 0", "click 0",
                                 "value 1", "click 1", "off", "value 2", "click 2"}));
}

// Two windows that mirror each other's choice: each handler selects the
// other's twin, which is already selected on the way back.
TEST(OptionGroupRule, SelectingClearsTheOthersSilentlyAndHandlersSelectingAcrossGroupsStop) {
    OptionGroup power, volume;
    OptionButton p1(power, "p1", true), p2(power, "p2"), p3(power, "p3");
    OptionButton v1(volume, "v1", true), v2(volume, "v2");
    Trace trace;
    const std::pair<OptionButton*, OptionButton*> twins[] = {
        {&p1, &v2}, {&p2, &v1}, {&p3, nullptr}, {&v1, &p2}, {&v2, &p1}};
    for (const auto& [self, twin] : twins)
        self->onClick = [&trace, s = self, t = twin] {
            trace.push_back(s->Caption());
            if (t) t->Select();
        };
    p1.Select();  // already selected: nothing
    p2.Click();
    p2.Click();
    v2.Select();
    p3.SetEnabled(false);
    p3.Click();
    EXPECT_EQ(power.Selected(), &p1);
    p3.Select();  // code can select a disabled button
    EXPECT_EQ(trace, (Trace{"p2", "v2", "p1", "p3"}));
    EXPECT_FALSE(p1.Value() || p2.Value());
    EXPECT_EQ(power.Selected(), &p3);
    EXPECT_EQ(volume.Selected(), &v2);
}

TEST(TimerRule, ALateTickAfterSwitchingOffOrUnloadingOrFromItsOwnHandlerIsDropped) {
    Form form;
    Timer timer(form);
    int ticks = 0;
    timer.onTick = [&] {
        if (++ticks == 2) timer.SetEnabled(false);
    };
    timer.Tick();  // never switched on
    form.Load();
    timer.SetEnabled(true);
    timer.Tick();
    timer.SetEnabled(false);
    timer.Tick();
    timer.SetEnabled(true);
    form.Unload();
    timer.Tick();
    form.Load();
    timer.SetEnabled(true);
    timer.Tick();
    timer.Tick();
    EXPECT_EQ(ticks, 2);
}

// Activation from the platform runs on each change, never before the load.
TEST(FormLifecycle, LoadRunsOnceShowActivatesOnceAndAClosedWindowLoadsAfresh) {
    Trace trace;
    testing::TracingForm f("f", trace);
    f.Activated();
    f.Load();
    f.Load();
    EXPECT_FALSE(f.Visible());
    f.Show();
    f.Show();  // already active: no second activation
    f.Deactivated();
    f.Activated();
    f.Activated();
    f.RequestClose();
    EXPECT_FALSE(f.Loaded() || f.Visible());
    f.Load();
    EXPECT_EQ(trace, (Trace{"load f", "activate f", "activate f", "close f", "unload f", "load f"}));
}

}  // namespace
}  // namespace tavrin
