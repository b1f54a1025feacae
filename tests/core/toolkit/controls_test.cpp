#include "toolkit/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
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

// Selecting clears the others without running their handlers; a disabled
// button ignores clicks but not code. Handlers selecting across groups are
// proven by the hotkey panes.
TEST(OptionGroupRule, SelectingClearsTheOthersSilentlyAndADisabledButtonAnswersOnlyCode) {
    OptionGroup group;
    OptionButton b1(group, "1", true), b2(group, "2", true), b3(group, "3");  // the last one made selected wins
    Trace trace;
    for (OptionButton* b : {&b1, &b2, &b3}) b->onClick = [&trace, b] { trace.push_back(b->Caption()); };
    b2.Select();  // already selected: nothing
    b1.Click();
    b3.SetEnabled(false);
    b3.Click();
    EXPECT_EQ(group.Selected(), &b1);
    b3.Select();
    EXPECT_EQ(trace, (Trace{"1", "3"}));
    EXPECT_EQ(std::tuple(b1.Value(), b2.Value(), group.Selected()), std::tuple(false, false, &b3));
}

// Activation from the platform runs on each change, never before the load; a
// late tick after switching off, closing or from its own handler is dropped.
TEST(FormLifecycle, LoadRunsOnceShowActivatesOnceAndAClosedWindowLoadsAfreshWithItsTimersOff) {
    Trace trace;
    testing::TracingForm f("f", trace);
    Timer timer(f);
    int ticks = 0;
    timer.onTick = [&] {
        if (++ticks == 2) timer.SetEnabled(false);
    };
    f.Activated();
    timer.Tick();  // never switched on
    f.Load();
    f.Load();
    EXPECT_FALSE(f.Visible());
    timer.SetEnabled(true);
    timer.Tick();
    timer.SetEnabled(false);
    timer.Tick();
    timer.SetEnabled(true);
    f.Show();
    f.Show();  // already active: no second activation
    f.Deactivated();
    f.Activated();
    f.Activated();
    f.RequestClose();
    timer.Tick();
    EXPECT_FALSE(f.Loaded() || f.Visible());
    f.Load();
    timer.SetEnabled(true);
    timer.Tick();
    timer.Tick();
    EXPECT_EQ(std::pair(trace, ticks),
              std::pair(Trace{"load f", "activate f", "activate f", "close f", "unload f", "load f"}, 2));
}

}  // namespace
}  // namespace tavrin
