#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {
namespace {

struct RecordingView final : ControlView {
    std::vector<std::string> calls;
    void ShowValue(int v) override { calls.push_back("value " + std::to_string(v)); }
    void ShowSelection(int i) override { calls.push_back("selection " + std::to_string(i)); }
    void ShowEnabled(bool on) override { calls.push_back(on ? "enabled" : "disabled"); }
};

TEST(CheckBoxRule, CodeAndUserClicksRunTheHandlerOnceAndOnlyOnAChange) {
    CheckBox box("x", 1);
    int clicks = 0;
    int seen = -1;
    box.onClick = [&] { ++clicks; seen = box.Value(); };
    box.SetValue(1);
    EXPECT_EQ(clicks, 0);
    box.SetValue(0);
    EXPECT_EQ(std::pair(clicks, seen), std::pair(1, 0));  // the handler sees the new value
    box.SetValue(2);
    box.SetValue(2);
    EXPECT_EQ(clicks, 2);
    box.Click();
    EXPECT_EQ(box.Value(), 0);  // grey goes clear
    box.Click();
    EXPECT_EQ(box.Value(), 1);
    box.SetEnabled(false);
    box.Click();
    EXPECT_EQ(std::pair(clicks, box.Value()), std::pair(4, 1));
    box.SetValue(0);  // code still works on a disabled box
    EXPECT_EQ(clicks, 5);
}

TEST(CheckBoxRule, HandlersThatSetEachOtherStop) {
    CheckBox a, b;
    std::vector<std::string> trace;
    a.onClick = [&] { trace.push_back("a" + std::to_string(a.Value())); b.SetValue(a.Value()); };
    b.onClick = [&] { trace.push_back("b" + std::to_string(b.Value())); a.SetValue(b.Value()); };
    a.SetValue(1);
    b.SetValue(0);
    EXPECT_EQ(trace, (std::vector<std::string>{"a1", "b1", "b0", "a0"}));
}

TEST(CheckBoxRule, TheViewShowsTheValueBeforeTheHandlerRuns) {
    CheckBox box;
    RecordingView view;
    box.Bind(&view);
    view.calls.clear();
    box.onClick = [&] { view.calls.push_back("click"); };
    box.SetValue(1);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"value 1", "click"}));
}

TEST(OptionGroupRule, SelectingClearsTheOthersOfItsGroupSilentlyAndDisabledButtonsIgnoreClicks) {
    OptionGroup frame, other;
    OptionButton o1(frame, "1", true), o2(frame, "2"), o3(frame, "3");
    OptionButton elsewhere(other, "e", true);
    std::vector<std::string> clicks;
    o1.onClick = [&] { clicks.push_back("1"); };
    o2.onClick = [&] { clicks.push_back("2"); };
    o3.onClick = [&] { clicks.push_back("3"); };
    o1.Select();  // already selected: nothing
    o2.Select();
    o2.Click();
    o3.SetEnabled(false);
    o3.Click();
    EXPECT_TRUE(o2.Value());
    o3.Select();  // code can select a disabled button
    EXPECT_EQ(clicks, (std::vector<std::string>{"2", "3"}));
    EXPECT_FALSE(o1.Value() || o2.Value());
    EXPECT_EQ(frame.Selected(), &o3);
    EXPECT_TRUE(elsewhere.Value());
}

TEST(OptionGroupRule, HandlersSelectingAcrossGroupsStopOnceBothAgree) {
    // Two windows that mirror each other's choice: each handler selects the
    // other's twin, which is already selected on the way back.
    OptionGroup power, volume;
    OptionButton p1(power, "p1", true), p2(power, "p2");
    OptionButton v1(volume, "v1", true), v2(volume, "v2");
    std::vector<std::string> trace;
    p1.onClick = [&] { trace.push_back("p1"); v2.Select(); };
    p2.onClick = [&] { trace.push_back("p2"); v1.Select(); };
    v1.onClick = [&] { trace.push_back("v1"); p2.Select(); };
    v2.onClick = [&] { trace.push_back("v2"); p1.Select(); };
    p2.Select();
    EXPECT_EQ(trace, (std::vector<std::string>{"p2"}));  // v1 was already selected
    v2.Select();
    EXPECT_EQ(trace, (std::vector<std::string>{"p2", "v2", "p1"}));
    EXPECT_TRUE(p1.Value());
    EXPECT_TRUE(v2.Value());
}

TEST(ComboBoxRule, IndicesTheListCannotShowSelectNothing) {
    ComboBox list;
    for (const char* s : {"a", "b", "c"}) list.AddItem(s);
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.SetListIndex(1);
    EXPECT_EQ(list.Text(), "b");
    for (int bad : {3, 7, -2, -32768}) {
        list.SetListIndex(1);
        list.SetListIndex(bad);
        EXPECT_EQ(list.ListIndex(), -1) << bad;
        EXPECT_EQ(list.Text(), "") << bad;
    }
    list.SetListIndex(-1);
    EXPECT_EQ(clicks, 1 + 4 + 3);  // the first reset to 1 found 1 already
    EXPECT_EQ(list.List(5), "");
}

TEST(DTPickerRule, NullOnlyWithACheckBoxAndADateTicksItAgain) {
    DTPicker plain;
    plain.SetValue(std::nullopt);
    EXPECT_TRUE(plain.Value().has_value());

    DTPicker withBox;
    withBox.showNone = true;
    withBox.SetValue(OleDate{30.0 / 86400});
    withBox.SetValue(std::nullopt);
    EXPECT_FALSE(withBox.Value().has_value());
    withBox.SetValue(OleDate{45.0 / 86400});
    ASSERT_TRUE(withBox.Value().has_value());
    EXPECT_EQ(ToSeconds(*withBox.Value()), 45);
}

struct RecordingTimerView final : TimerView {
    std::vector<std::pair<bool, unsigned>> applied;
    void Apply(bool on, unsigned ms) override { applied.emplace_back(on, ms); }
};

TEST(TimerRule, ALateTickAfterSwitchingOffOrUnloadingOrFromItsOwnHandlerIsDropped) {
    Form form;
    Timer timer(form);
    RecordingTimerView view;
    timer.Bind(&view);
    int ticks = 0;
    timer.onTick = [&] { ++ticks; };
    timer.Tick();
    EXPECT_EQ(ticks, 0);
    form.Load();
    timer.SetEnabled(true);
    timer.Tick();
    timer.SetEnabled(false);
    timer.Tick();
    EXPECT_EQ(ticks, 1);
    timer.SetEnabled(true);
    form.Unload();
    timer.Tick();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(view.applied, (std::vector<std::pair<bool, unsigned>>{{false, 1000}, {true, 1000}, {false, 1000},
                                                                    {true, 1000}, {false, 1000}}));
    form.Load();
    timer.onTick = [&] { ++ticks; timer.SetEnabled(false); };  // a handler that stops its own timer
    timer.SetEnabled(true);
    timer.Tick();
    timer.Tick();
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace tavrin
