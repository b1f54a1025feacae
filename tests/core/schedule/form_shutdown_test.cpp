#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/setup_store.h"
#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/fake_registry.h"
#include "schedule/form_shutdown.h"

namespace tavrin {
namespace {

using namespace std::chrono;
using namespace testing;
using Call = FakeCountdownLauncher::Call;

const OleDate kToday = MakeDate(year{2026} / 12 / 6);  // the fake clock starts at 20:00:00 of it

OleDate Day(int offset) { return FromSeconds(ToSeconds(kToday) + offset * kSecondsPerDay); }
OleDate Tod(int h, int m, int s) { return MakeTimeOfDay(h, m, s); }
OleDate TodayAt(int h, int m, int s) { return FromSeconds(ToSeconds(kToday) + ToSeconds(Tod(h, m, s))); }

// A stored record that starts itself: "关机" with the 30-second reminder.
SetupInfo Record(std::int16_t mode) {
    SetupInfo info;
    info.TaskIndex = 1;
    info.CountdownEnabled = -1;
    info.CountdownSeconds = 30;
    info.TimingMode = mode;
    info.CloseDate = kToday;
    info.CloseTime = Tod(20, 0, 5);
    info.CountDownSpan = Tod(0, 30, 0);
    info.AllDayTime = Tod(20, 0, 10);
    info.StartCloseTask = 1;
    info.SyncMode = 3;
    return info;
}

class ScheduleTest : public ::testing::Test {
protected:
    // The program starts with this record stored; loading the window arms it.
    void Start(const SetupInfo& info) {
        const auto bytes = info.ToBytes();
        registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {bytes.begin(), bytes.end()});
        store.LoadSetupInfo();
        form.Load();
    }
    SetupInfo Stored() const {
        SetupInfo info;
        if (const auto bytes = registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue)) info.Overlay(*bytes);
        return info;
    }
    // One second passes and the timer ticks.
    void Tick(int times = 1) {
        for (int i = 0; i < times; ++i) {
            clock.Advance(seconds{1});
            form.Timer1.Tick();
        }
    }
    // Ticks until something fires; the number of ticks it took, or -1.
    int TicksUntilFired(int limit) {
        for (int i = 1; i <= limit; ++i) {
            Tick();
            if (Fired() > 0) return i;
        }
        return -1;
    }
    // A window of its own, loaded with this record in memory, as at a start.
    std::unique_ptr<FormShutdown> Fresh(const SetupInfo& info) {
        countdown.calls.clear();
        power.actions.clear();
        store.Info() = info;
        auto f = std::make_unique<FormShutdown>(store, clock, dateTimeText, countdown, power);
        f->Load();
        return f;
    }
    void Step(FormShutdown& f, seconds s = seconds{1}) {
        clock.Advance(s);
        f.Timer1.Tick();
    }
    std::size_t Fired() const { return countdown.calls.size() + power.actions.size(); }
    bool Armed() const { return form.Timer1.Enabled(); }
    const std::string& Caption() const { return form.FrameOnTimeClose.Caption(); }

    FakeRegistry registry;
    FakeApplication app;
    FakeClock clock;
    SetupStore store{registry, app, clock};
    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FormShutdown form{store, clock, dateTimeText, countdown, power};
};

TEST_F(ScheduleTest, ControlsCarryWhatTheWindowShows) {
    EXPECT_EQ(form.Caption(), "定时关机");
    EXPECT_EQ(form.Frame13.Caption(), "计时方式");
    EXPECT_EQ(form.OptionCloseTime.Caption(), "指定时间");
    EXPECT_EQ(form.OptionCloseCountTime.Caption(), "倒计时");
    EXPECT_EQ(form.OptionAllDay.Caption(), "每天同一时间");
    EXPECT_EQ(form.CheckStartCloseTask.Caption(), "每次开机后自动执行此任务");
    std::vector<std::string> entries;
    for (int i = 0; i < form.ComboCloseTime.ListCount(); ++i) entries.push_back(form.ComboCloseTime.List(i));
    EXPECT_EQ(entries, (std::vector<std::string>{"关机", "强制关机", "休眠", "锁定", "注销", "重启"}));
    EXPECT_EQ(form.DTPickerCloseData.format, DTPicker::Format::LongDate);
    EXPECT_FALSE(form.DTPickerCloseData.upDown);
    EXPECT_EQ(form.DTPickerCloseTime.format, DTPicker::Format::Time);
    EXPECT_EQ(form.DTPickerAllDayTime.format, DTPicker::Format::Time);
    EXPECT_EQ(form.DTPickerCloseCountTime.customFormat, "H'小时'mm'分后执行'");
    EXPECT_EQ(form.DTPickerCloseCountTime.Value(), Tod(0, 30, 0));
    EXPECT_EQ(form.DTPickerClose30Count.customFormat, "'执行前倒计时提醒，延迟时间'ss'秒'");
    EXPECT_TRUE(form.DTPickerClose30Count.showNone && form.DTPickerClose30Count.upDown);
    EXPECT_FALSE(form.DTPickerCloseCountTime.showNone);
    EXPECT_EQ(form.Timer1.Interval(), 1000u);
    EXPECT_TRUE(form.Timer1.alignToSecond);
    EXPECT_FALSE(form.Timer1.Enabled());
}

// Remembers what the reminder picker's window was told, in order.
struct DateLog : ControlView {
    void ShowDate(std::optional<OleDate> d) override { shown.push_back(d); }
    std::vector<std::optional<OleDate>> shown;
};

TEST_F(ScheduleTest, LoadShowsTheStoredChoicesAndOnlyTheModesPickers) {
    SetupInfo info = Record(2);
    info.CountDownSpan = Tod(1, 15, 0);
    info.CountdownEnabled = 0;
    info.CountdownSeconds = 45;
    info.StartCloseTask = 0;
    DateLog reminder;
    form.DTPickerClose30Count.Bind(&reminder);
    Start(info);

    EXPECT_FALSE(Armed());
    EXPECT_TRUE(form.OptionCloseCountTime.Value());
    EXPECT_EQ(form.DTPickerCloseCountTime.Value(), Tod(1, 15, 0));
    EXPECT_EQ(form.DTPickerCloseData.Value(), kToday);
    EXPECT_EQ(form.DTPickerCloseTime.Value(), Tod(20, 0, 0));
    EXPECT_EQ(form.DTPickerAllDayTime.Value(), Tod(20, 0, 0));
    EXPECT_EQ(form.ComboCloseTime.Text(), "关机");
    EXPECT_EQ(form.CheckStartCloseTask.Value(), 0);
    // The length goes to the picker before its box is cleared, so the box keeps it.
    ASSERT_GE(reminder.shown.size(), 2u);
    EXPECT_EQ(reminder.shown[reminder.shown.size() - 2], Tod(0, 0, 45));
    EXPECT_EQ(reminder.shown.back(), std::nullopt);

    struct Case {
        OptionButton* option;
        bool date, time, count, daily;
    };
    for (const Case& c : {Case{&form.OptionCloseCountTime, false, false, true, false},
                          Case{&form.OptionCloseTime, true, true, false, false},
                          Case{&form.OptionAllDay, false, false, false, true}}) {
        c.option->Click();
        EXPECT_EQ(form.DTPickerCloseData.Enabled(), c.date) << "case: " << c.option->Caption();
        EXPECT_EQ(form.DTPickerCloseTime.Enabled(), c.time) << "case: " << c.option->Caption();
        EXPECT_EQ(form.DTPickerCloseCountTime.Enabled(), c.count) << "case: " << c.option->Caption();
        EXPECT_EQ(form.DTPickerAllDayTime.Enabled(), c.daily) << "case: " << c.option->Caption();
    }
    EXPECT_EQ(Stored().TimingMode, 2);  // an option click saves nothing
}

TEST_F(ScheduleTest, ASpecifiedMomentShowsEvenWhenPastAndOtherModesShowDefaults) {
    SetupInfo info = Record(1);
    info.CloseDate = Day(-3);
    info.CountDownSpan = Tod(2, 0, 0);
    info.StartCloseTask = 0;
    Start(info);
    EXPECT_TRUE(form.OptionCloseTime.Value());
    EXPECT_EQ(form.DTPickerCloseData.Value(), Day(-3));
    EXPECT_EQ(form.DTPickerCloseTime.Value(), Tod(20, 0, 5));
    EXPECT_EQ(form.DTPickerCloseCountTime.Value(), Tod(0, 30, 0));
    EXPECT_EQ(form.DTPickerAllDayTime.Value(), Tod(20, 0, 0));
}

TEST_F(ScheduleTest, ArmedTaskShowsTheRunningLookAndCountsDownToItsMoment) {
    Start(Record(1));
    ASSERT_TRUE(Armed());
    EXPECT_EQ(Caption(), "目标时间：2026/12/620:00:05 剩余时间：5秒");
    EXPECT_EQ(form.CommandCloseTime.Caption(), "停止计时");
    EXPECT_TRUE(form.CommandCloseTime.Enabled());
    for (Control* c : std::initializer_list<Control*>{
             &form.ComboCloseTime, &form.OptionCloseTime, &form.OptionCloseCountTime, &form.OptionAllDay,
             &form.DTPickerCloseData, &form.DTPickerCloseTime, &form.DTPickerCloseCountTime,
             &form.DTPickerClose30Count, &form.DTPickerAllDayTime, &form.CheckStartCloseTask})
        EXPECT_FALSE(c->Enabled());
    Tick(4);
    EXPECT_EQ(Caption(), "目标时间：2026/12/620:00:05 剩余时间：1秒");
    EXPECT_EQ(Fired(), 0u);
    Tick();
    EXPECT_EQ(countdown.calls, (std::vector<Call>{{"关机", "", 30}}));
    EXPECT_FALSE(Armed());
    EXPECT_EQ(Caption(), "定时关机任务");
    EXPECT_EQ(form.CommandCloseTime.Caption(), "保存并应用");
    EXPECT_TRUE(form.ComboCloseTime.Enabled() && form.DTPickerClose30Count.Enabled() && form.OptionAllDay.Enabled());
    EXPECT_TRUE(form.DTPickerCloseData.Enabled() && !form.DTPickerAllDayTime.Enabled());
}

TEST_F(ScheduleTest, RemainingTimeReadsInDaysHoursMinutesAndSeconds) {
    struct Case {
        const char* name;
        std::int16_t mode;
        OleDate closeDate, closeTime, span, daily;
        const char* caption;
    };
    for (const Case& c : {
             Case{"to 08:00 tomorrow", 1, Day(1), Tod(8, 0, 0), {}, {}, "目标时间：2026/12/78:00:00 剩余时间：12小时"},
             Case{"two days ahead", 1, Day(2), Tod(20, 0, 0), {}, {}, "目标时间：2026/12/820:00:00 剩余时间：2天"},
             Case{"half an hour", 2, {}, {}, Tod(0, 30, 0), {}, "开始时间：20:00:00 剩余时间：30分"},
             Case{"daily, ten seconds ahead", 3, {}, {}, {}, Tod(20, 0, 10), "目标时间：20:00:10 剩余时间：10秒"},
             Case{"daily, late", 3, {}, {}, {}, Tod(23, 59, 59), "目标时间：23:59:59 剩余时间：3小时 59分 59秒"},
         }) {
        SetupInfo info = Record(c.mode);
        info.CloseDate = c.closeDate;
        info.CloseTime = c.closeTime;
        info.CountDownSpan = c.span;
        info.AllDayTime = c.daily;
        EXPECT_EQ(Fresh(info)->FrameOnTimeClose.Caption(), c.caption) << "case: " << c.name;
    }
}

TEST_F(ScheduleTest, EachModeFiresAtItsTick) {
    struct Case {
        std::int16_t mode;
        int ticks;
    };
    for (const Case& c : {Case{1, 5}, Case{2, 1800}, Case{3, 10}}) {
        const auto f = Fresh(Record(c.mode));
        for (int i = 1; i < c.ticks; ++i) Step(*f);
        EXPECT_EQ(Fired(), 0u) << "case: mode " << c.mode;
        Step(*f);
        EXPECT_EQ(Fired(), 1u) << "case: mode " << c.mode;
        EXPECT_FALSE(f->Timer1.Enabled()) << "case: mode " << c.mode;
        clock.SetNow(TodayAt(20, 0, 0));
    }
}

// A moment that is now fires as the user arms it; at start-up only a
// countdown does, so a first start with the defaults runs nothing.
TEST_F(ScheduleTest, AMomentThatIsNowFiresOnlyWhenTheUserArmsIt) {
    for (std::int16_t mode : {1, 2, 3}) {
        SetupInfo info = Record(mode);
        info.CloseTime = info.AllDayTime = Tod(20, 0, 0);
        info.CountDownSpan = kDayZero;
        const auto f = Fresh(info);
        EXPECT_EQ(Fired(), mode == 2 ? 1u : 0u) << "case: mode " << mode << " at start-up";
        EXPECT_FALSE(f->Timer1.Enabled()) << "case: mode " << mode << " at start-up";
        f->CommandCloseTime.Click();
        EXPECT_EQ(Fired(), mode == 2 ? 2u : 1u) << "case: mode " << mode << " by the user";
    }
}

TEST_F(ScheduleTest, AFirstStartWithTheDefaultsRunsNothing) {
    store.LoadSetupInfo();  // nothing stored: the defaults, daily at this very second
    ASSERT_EQ(store.Info().StartCloseTask, 1);
    form.Load();
    EXPECT_FALSE(Armed());
    EXPECT_EQ(Fired(), 0u);
    EXPECT_EQ(Stored().TimingMode, 3);
    EXPECT_EQ(Stored().AllDayTime, Tod(20, 0, 0));
}

TEST_F(ScheduleTest, APassedMomentIsRefusedButSaved) {
    struct Case {
        const char* name;
        std::int16_t mode;
        OleDate closeDate, closeTime, daily;
    };
    for (const Case& c : {Case{"earlier today", 1, kToday, Tod(19, 59, 59), {}},
                          Case{"yesterday, later hour", 1, Day(-1), Tod(23, 0, 0), {}},
                          Case{"daily, a second ago", 3, {}, {}, Tod(19, 59, 59)}}) {
        const auto f = Fresh(Record(c.mode));
        ASSERT_TRUE(f->Timer1.Enabled()) << "case: " << c.name;
        f->CommandCloseTime.Click();  // stop
        f->DTPickerCloseData.Edit(c.closeDate);
        f->DTPickerCloseTime.Edit(c.closeTime);
        f->DTPickerAllDayTime.Edit(c.daily);
        f->ComboCloseTime.Choose(5);
        f->CommandCloseTime.Click();
        EXPECT_FALSE(f->Timer1.Enabled()) << "case: " << c.name;
        EXPECT_EQ(f->FrameOnTimeClose.Caption(), "定时关机任务") << "case: " << c.name;
        EXPECT_EQ(f->CommandCloseTime.Caption(), "保存并应用") << "case: " << c.name;
        const SetupInfo saved = Stored();
        EXPECT_EQ(saved.TaskIndex, 6) << "case: " << c.name;
        EXPECT_EQ(c.mode == 1 ? saved.CloseTime : saved.AllDayTime, c.mode == 1 ? c.closeTime : c.daily)
            << "case: " << c.name;
        EXPECT_EQ(Fired(), 0u) << "case: " << c.name;
    }
}

TEST_F(ScheduleTest, SavingStoresTheShownChoices) {
    SetupInfo info = Record(3);
    info.StartCloseTask = 0;
    Start(info);
    form.ComboCloseTime.Choose(3);
    form.DTPickerClose30Count.Edit(Tod(0, 0, 12));
    form.OptionCloseCountTime.Click();
    form.DTPickerCloseCountTime.Edit(Tod(2, 5, 0));
    form.CheckStartCloseTask.Click();
    form.CommandCloseTime.Click();
    SetupInfo expected = info;
    expected.TaskIndex = 4;
    expected.CountdownSeconds = 12;
    expected.TimingMode = 2;
    expected.CountDownSpan = Tod(2, 5, 0);
    expected.StartCloseTask = 1;
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(registry.Text(Hive::LocalMachine, kRunKey, kRunValue), "\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /run");

    form.CommandCloseTime.Click();  // stop
    form.DTPickerClose30Count.Edit(std::nullopt);
    form.CommandCloseTime.Click();
    EXPECT_EQ(Stored().CountdownEnabled, 0);
    EXPECT_EQ(Stored().CountdownSeconds, 12);  // kept for when the box is ticked again
}

TEST_F(ScheduleTest, StoppingSavesNothingAndShowsTheStoredSettings) {
    Start(Record(2));
    ASSERT_TRUE(Armed());
    const int writes = registry.writes;
    Tick(3);
    form.CommandCloseTime.Click();
    EXPECT_FALSE(Armed());
    EXPECT_EQ(registry.writes, writes);
    EXPECT_EQ(Caption(), "定时关机任务");
    EXPECT_EQ(form.CommandCloseTime.Caption(), "保存并应用");
    EXPECT_TRUE(form.DTPickerCloseCountTime.Enabled() && !form.DTPickerCloseData.Enabled());
    Tick(1800);
    EXPECT_EQ(Fired(), 0u);
}

TEST_F(ScheduleTest, TheReminderDecidesBetweenTheDialogAndTheActionAtOnce) {
    struct Case {
        std::int16_t enabled, seconds;
        std::vector<Call> dialogs;
        std::vector<ActionLabel> direct;
    };
    for (const Case& c : {Case{-1, 30, {{"休眠", "", 30}}, {}}, Case{-1, 0, {{"休眠", "", 0}}, {}},
                          Case{0, 30, {}, {"休眠"}}, Case{1, 7, {{"休眠", "", 7}}, {}}}) {
        SetupInfo info = Record(2);
        info.TaskIndex = 3;
        info.CountdownEnabled = c.enabled;
        info.CountdownSeconds = c.seconds;
        info.CountDownSpan = kDayZero;  // fires as it is armed
        Fresh(info);
        EXPECT_EQ(countdown.calls, c.dialogs) << "case: " << c.enabled << ", " << c.seconds;
        EXPECT_EQ(power.actions, c.direct) << "case: " << c.enabled << ", " << c.seconds;
    }
}

TEST_F(ScheduleTest, StartUpArmsOnlyWhenAskedAndACountdownRunsFromTheStart) {
    SetupInfo info = Record(2);
    info.StartCloseTask = 0;
    Start(info);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(registry.writes, 0);

    clock.Advance(hours{5});
    info.StartCloseTask = 1;
    const auto again = Fresh(info);
    ASSERT_TRUE(again->Timer1.Enabled());
    EXPECT_EQ(again->FrameOnTimeClose.Caption(), "开始时间：1:00:00 剩余时间：30分");
    EXPECT_EQ(Stored().StartCloseTask, 1);
}

// A tick that comes late, after the computer slept: the moment fires once at
// that tick if it passed during the sleep, and otherwise at its own tick.
TEST_F(ScheduleTest, ALateTickFiresAPassedMomentOnce) {
    for (std::int16_t mode : {1, 2, 3})
        for (seconds ahead : {seconds{2}, seconds{hours{2}}})
            for (seconds sleep : {seconds{1}, seconds{hours{1}}, seconds{hours{48}}}) {
                const OleDate moment = FromSeconds(ToSeconds(clock.Now()) + ahead.count());
                SetupInfo info = Record(mode);
                info.CloseDate = DatePart(moment);
                info.CloseTime = info.AllDayTime = TimePart(moment);
                info.CountDownSpan = FromSeconds(ahead.count());
                const auto f = Fresh(info);
                Step(*f);
                Step(*f, seconds{1} + sleep);
                const seconds left = ahead - seconds{2} - sleep;
                const std::string name = "mode " + std::to_string(mode) + ", " + std::to_string(ahead.count()) +
                                         " s ahead, slept " + std::to_string(sleep.count()) + " s";
                EXPECT_EQ(Fired(), left <= seconds{0} ? 1u : 0u) << "case: " << name;
                if (left > seconds{0}) {
                    Step(*f, left - seconds{1});
                    EXPECT_EQ(Fired(), 0u) << "case: " << name;
                    Step(*f);
                }
                Step(*f);
                EXPECT_EQ(Fired(), 1u) << "case: " << name;
            }
}

TEST_F(ScheduleTest, ACountdownCrossesMidnight) {
    clock.SetNow(TodayAt(23, 50, 0));
    SetupInfo info = Record(2);
    Start(info);
    Tick(600);
    EXPECT_EQ(Caption(), "开始时间：23:50:00 剩余时间：20分");
    EXPECT_EQ(TicksUntilFired(1200), 1200);
}

// The wall clock is set while a task is armed. A fixed moment stays where it
// is, a countdown ignores the change, a daily task fires the next time the
// clock shows its time of day.
TEST_F(ScheduleTest, SettingTheClockWhileArmedFiresOnce) {
    struct Case {
        std::int16_t mode;
        int ahead;        // seconds from 20:00:00 to the moment
        int change;       // seconds the clock is set by, right after arming
        int ticksToFire;  // after the change
    };
    for (const Case& c : {Case{1, 300, -3600, 3900}, Case{1, 300, 3600, 1}, Case{1, 300, 60, 240},
                          Case{2, 1800, -3600, 1800}, Case{2, 1800, 86400, 1800}, Case{2, 1800, 5, 1800},
                          Case{3, 7200, -86400, 7200}, Case{3, 7200, -3600, 10800}, Case{3, 7200, 3600, 3600},
                          Case{3, 7200, 10800, 1}, Case{3, 7200, 86400 + 60, 1}}) {
        clock.SetNow(TodayAt(20, 0, 0));
        SetupInfo info = Record(c.mode);
        info.CountDownSpan = FromSeconds(c.ahead);
        info.CloseTime = info.AllDayTime = FromSeconds(20 * 3600 + c.ahead);
        const auto f = Fresh(info);
        clock.SetNow(FromSeconds(ToSeconds(clock.Now()) + c.change));
        const std::string name = "mode " + std::to_string(c.mode) + ", set by " + std::to_string(c.change);
        if (c.ticksToFire > 1) {
            Step(*f);
            Step(*f, seconds{c.ticksToFire - 2});
            EXPECT_EQ(Fired(), 0u) << "case: " << name;
        }
        Step(*f);
        EXPECT_EQ(Fired(), 1u) << "case: " << name;
        Step(*f);
        EXPECT_EQ(Fired(), 1u) << "case: " << name;
    }
}

TEST_F(ScheduleTest, NothingFiresTwiceEvenWhenEventsRunInsideTheAction) {
    SetupInfo info = Record(1);
    info.CountdownEnabled = 0;
    int inside = 0;
    power.during = [&] {
        ++inside;
        clock.Advance(seconds{1});
        form.Timer1.Tick();  // a tick let through by a modal box
    };
    Start(info);
    Tick(10);
    EXPECT_EQ(power.actions, (std::vector<ActionLabel>{"关机"}));
    EXPECT_EQ(inside, 1);

    // A press of the button inside the action arms anew, and the new caption stays.
    power.during = [&] {
        form.DTPickerCloseCountTime.Edit(Tod(0, 30, 0));
        form.CommandCloseTime.Click();
    };
    form.OptionCloseCountTime.Click();
    form.DTPickerCloseCountTime.Edit(kDayZero);
    form.CommandCloseTime.Click();  // fires as it is armed
    EXPECT_EQ(power.actions.size(), 2u);
    ASSERT_TRUE(Armed());
    EXPECT_EQ(Caption(), "开始时间：20:00:11 剩余时间：30分");
}

TEST_F(ScheduleTest, DamagedRecordsGetSafeBehaviour) {
    struct Case {
        const char* name;
        std::int16_t taskIndex, mode, startCloseTask;
        bool armed;
        const char* caption;
    };
    for (const Case& c : {Case{"no action", 0, 3, 1, true, "目标时间：20:00:10 剩余时间：10秒"},
                          Case{"action past the list", 7, 3, 1, true, "目标时间：20:00:10 剩余时间：10秒"},
                          Case{"negative action", -1, 3, 1, true, "目标时间：20:00:10 剩余时间：10秒"},
                          Case{"unknown mode", 1, 9, 1, true, ""},
                          Case{"start-up flag 5", 1, 3, 5, false, "定时关机任务"}}) {
        clock.SetNow(TodayAt(20, 0, 0));
        SetupInfo info = Record(c.mode);
        info.TaskIndex = c.taskIndex;
        info.StartCloseTask = c.startCloseTask;
        const auto f = Fresh(info);
        EXPECT_EQ(f->Timer1.Enabled(), c.armed) << "case: " << c.name;
        EXPECT_EQ(f->FrameOnTimeClose.Caption(), c.caption) << "case: " << c.name;
        EXPECT_EQ(f->CheckStartCloseTask.Value(), c.startCloseTask == 1 ? 1 : 0) << "case: " << c.name;
        for (int i = 0; i < 20; ++i) Step(*f);
        EXPECT_EQ(Fired(), 0u) << "case: " << c.name;  // nothing to run, or never due
        EXPECT_EQ(f->Timer1.Enabled(), c.mode == 9) << "case: " << c.name;
        if (c.taskIndex != 1) {
            EXPECT_EQ(Stored().TaskIndex, 0) << "case: " << c.name;
        }
    }
    // An unknown mode selects no option and is kept by a save.
    const auto f = Fresh(Record(9));
    EXPECT_EQ(f->Frame13Options.Selected(), nullptr);
    f->CommandCloseTime.Click();
    f->CommandCloseTime.Click();
    EXPECT_EQ(Stored().TimingMode, 9);
}

TEST_F(ScheduleTest, DatesAndTimesFollowTheSystemOrAFixedFormWhenItFails) {
    dateTimeText.fail = true;
    Start(Record(1));
    EXPECT_EQ(Caption(), "目标时间：2026-12-0620:00:05 剩余时间：5秒");
}

}  // namespace
}  // namespace tavrin
