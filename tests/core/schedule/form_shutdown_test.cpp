#include "schedule/form_shutdown.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"
#include "schedule/value_as_text.h"

namespace tavrin {
namespace {

using namespace std::chrono;
using namespace testing;
using Call = FakeCountdownLauncher::Call;

const OleDate kToday = MakeDate(year{2026} / 12 / 6);  // the fake clock starts at 20:00:00 of it
OleDate Day(int offset) { return FromSeconds(ToSeconds(kToday) + offset * kSecondsPerDay); }
OleDate Tod(int h, int m, int s) { return MakeTimeOfDay(h, m, s); }
OleDate Later(const Clock& clock, std::int64_t s) { return FromSeconds(ToSeconds(clock.Now()) + s); }

// "关机" with the 30-second reminder, armed at every start: at 20:00:05
// today, in half an hour, or daily at 20:00:10.
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
    return info;
}

class ScheduleTest : public ::testing::Test, public SettingsRig {
protected:
    // A new window loaded with this record, as at a program start.
    FormShutdown& Load(const SetupInfo& info) {
        countdown.calls.clear();
        power.actions.clear();
        store.Info() = info;
        form = std::make_unique<FormShutdown>(store, clock, dateTimeText, countdown, power);
        form->Load();
        return *form;
    }
    // Ticks once a second; a late tick comes `late` after its second.
    void Tick(int times = 1, seconds late = seconds{0}) {
        for (int i = 0; i < times; ++i) {
            clock.Advance(seconds{1} + late);
            form->Timer1.Tick();
            form->TimerPostponed.Tick();
        }
    }
    void At(int h, int m, int s) { clock.SetNow(FromSeconds(ToSeconds(kToday) + ToSeconds(Tod(h, m, s)))); }
    std::size_t Fired() const { return countdown.calls.size() + power.actions.size(); }
    bool Armed() const { return form->Timer1.Enabled(); }
    const std::string& Caption() const { return form->FrameOnTimeClose.Caption(); }
    // What the user can reach, 1 for enabled: the action list; the three
    // options; the date, time, countdown, reminder and daily pickers; the
    // box; and then the button's caption.
    std::string Look() const {
        const FormShutdown& f = *form;
        std::string look;
        for (const Control* c : std::initializer_list<const Control*>{
                 &f.ComboCloseTime, nullptr, &f.OptionCloseTime, &f.OptionCloseCountTime, &f.OptionAllDay, nullptr,
                 &f.DTPickerCloseData, &f.DTPickerCloseTime, &f.DTPickerCloseCountTime, &f.DTPickerClose30Count,
                 &f.DTPickerAllDayTime, nullptr, &f.CheckStartCloseTask, nullptr})
            look += c == nullptr ? ' ' : c->Enabled() ? '1' : '0';
        return look + f.CommandCloseTime.Caption();
    }

    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    std::unique_ptr<FormShutdown> form;
};

// Remembers what the reminder picker's window was told, in order.
struct DateLog : ControlView {
    void ShowDate(std::optional<OleDate> d) override { shown.push_back(d); }
    std::vector<std::optional<OleDate>> shown;
};

// The reminder's length reaches its picker before the box is cleared, so
// ticking the box again shows it. Options save nothing.
TEST_F(ScheduleTest, LoadShowsTheStoredChoicesAndOptionsEnableOnlyTheirPickers) {
    SetupInfo info = Record(2);
    info.CountDownSpan = Tod(1, 15, 0);
    info.CountdownEnabled = 0;
    info.CountdownSeconds = 45;
    info.StartCloseTask = 0;
    FormShutdown& f = Load(info);
    EXPECT_EQ(f.DTPickerCloseCountTime.Value(), Tod(1, 15, 0));
    EXPECT_EQ(f.DTPickerCloseData.Value(), kToday);
    EXPECT_EQ(f.ComboCloseTime.Text(), "关机");
    EXPECT_EQ(Look(), "1 111 00110 1 保存并应用");
    DateLog reminder;
    f.DTPickerClose30Count.Bind(&reminder);
    f.RefreshSetup();
    EXPECT_EQ(reminder.shown, (std::vector<std::optional<OleDate>>{std::nullopt, Tod(0, 0, 45), std::nullopt}));
    f.OptionCloseTime.Click();
    EXPECT_EQ(Look(), "1 111 11010 1 保存并应用");
    f.OptionAllDay.Click();
    EXPECT_EQ(Look(), "1 111 00011 1 保存并应用");
    EXPECT_TRUE(registry.log.empty());
}

TEST_F(ScheduleTest, AnArmedTaskLooksRunningAndFiresAtItsMomentOnce) {
    Load(Record(1));
    EXPECT_EQ(Caption(), "目标时间：2026/12/6 20:00:05 剩余时间：5秒");
    EXPECT_EQ(Look(), "0 000 00000 0 停止计时");
    Tick(4);
    EXPECT_EQ(Caption(), "目标时间：2026/12/6 20:00:05 剩余时间：1秒");
    EXPECT_EQ(Fired(), 0u);
    Tick();
    EXPECT_EQ(countdown.calls, (std::vector<Call>{{"关机", "", 30}}));
    Tick(2);
    EXPECT_EQ(Fired(), 1u);
    EXPECT_FALSE(Armed());
    EXPECT_EQ(Caption(), "定时关机任务");
    EXPECT_EQ(Look(), "1 111 11010 1 保存并应用");
}

TEST_F(ScheduleTest, TheRemainingTimeReadsInDaysHoursMinutesAndSeconds) {
    struct Case {
        std::int16_t mode;
        OleDate closeDate, closeTime, span, daily;
        const char* caption;
    };
    for (const Case& c : {Case{1, Day(1), Tod(8, 0, 0), {}, {}, "目标时间：2026/12/7 8:00:00 剩余时间：12小时"},
                          Case{1, Day(2), Tod(20, 0, 0), {}, {}, "目标时间：2026/12/8 20:00:00 剩余时间：2天"},
                          Case{2, {}, {}, Tod(0, 30, 0), {}, "开始时间：20:00:00 剩余时间：30分"},
                          Case{3, {}, {}, {}, Tod(23, 59, 59), "目标时间：23:59:59 剩余时间：3小时 59分 59秒"}}) {
        SetupInfo info = Record(c.mode);
        info.CloseDate = c.closeDate;
        info.CloseTime = c.closeTime;
        info.CountDownSpan = c.span;
        info.AllDayTime = c.daily;
        EXPECT_EQ(Load(info).FrameOnTimeClose.Caption(), c.caption) << "case: " << c.caption;
    }
}

// A moment that is now fires as it is armed, at start-up too; a first start
// with the defaults arms and stores nothing. The reminder chooses between
// the dialog and the action at once.
TEST_F(ScheduleTest, AMomentThatIsNowFiresAsItIsArmed) {
    struct Case {
        std::int16_t mode, reminder, seconds;
        std::vector<Call> dialogs;
        std::vector<ActionLabel> direct;
    };
    for (const Case& c : {Case{1, -1, 30, {{"休眠", "", 30}}, {}}, Case{3, -1, 30, {{"休眠", "", 30}}, {}},
                          Case{2, -1, 30, {{"休眠", "", 30}}, {}}, Case{2, -1, 0, {{"休眠", "", 0}}, {}},
                          Case{2, 0, 30, {}, {"休眠"}}, Case{2, 1, 7, {{"休眠", "", 7}}, {}}}) {
        SetupInfo info = Record(c.mode);
        info.TaskIndex = 3;
        info.CountdownEnabled = c.reminder;
        info.CountdownSeconds = c.seconds;
        info.CloseTime = info.AllDayTime = Tod(20, 0, 0);
        info.CountDownSpan = kDayZero;
        Load(info);
        const std::string what = "case: mode " + std::to_string(c.mode) + ", reminder " + std::to_string(c.reminder);
        EXPECT_EQ(countdown.calls, c.dialogs) << what;
        EXPECT_EQ(power.actions, c.direct) << what;
    }
    store.Info() = {};
    registry = FakeRegistry{};
    registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {});
    store.LoadSetupInfo();  // nothing stored: the defaults arm nothing and store nothing
    Load(store.Info());
    EXPECT_FALSE(Armed());
    EXPECT_EQ(Fired(), 0u);
    EXPECT_TRUE(registry.log.empty());
}

TEST_F(ScheduleTest, APassedMomentIsRefusedButSaved) {
    struct Case {
        std::int16_t mode;
        OleDate closeDate, closeTime, daily;
    };
    for (const Case& c : {Case{1, kToday, Tod(19, 59, 59), {}}, Case{1, Day(-1), Tod(23, 0, 0), {}},
                          Case{3, {}, {}, Tod(19, 59, 59)}}) {
        SetupInfo info = Record(c.mode);
        info.StartCloseTask = 0;
        FormShutdown& f = Load(info);
        f.DTPickerCloseData.Edit(c.closeDate);
        f.DTPickerCloseTime.Edit(c.closeTime);
        f.DTPickerAllDayTime.Edit(c.daily);
        f.ComboCloseTime.Choose(5);
        f.CommandCloseTime.Click();
        EXPECT_FALSE(Armed()) << "case: mode " << c.mode;
        EXPECT_EQ(f.CommandCloseTime.Caption(), "保存并应用");
        EXPECT_EQ(Stored().TaskIndex, 6) << "case: mode " << c.mode;
        EXPECT_EQ(c.mode == 1 ? Stored().CloseTime : Stored().AllDayTime, c.mode == 1 ? c.closeTime : c.daily);
        EXPECT_EQ(Fired(), 0u);
    }
}

TEST_F(ScheduleTest, SavingStoresTheShownChoicesAndStoppingSavesNothing) {
    SetupInfo info = Record(3);
    info.StartCloseTask = 0;
    FormShutdown& f = Load(info);
    f.ComboCloseTime.Choose(3);
    f.DTPickerClose30Count.Edit(Tod(0, 0, 12));
    f.OptionCloseCountTime.Click();
    f.DTPickerCloseCountTime.Edit(Tod(2, 5, 0));
    f.CheckStartCloseTask.Click();
    f.CommandCloseTime.Click();
    info.TaskIndex = 4;
    info.CountdownSeconds = 12;
    info.TimingMode = 2;
    info.CountDownSpan = Tod(2, 5, 0);
    info.StartCloseTask = 1;
    EXPECT_EQ(Stored(), info);

    const std::size_t writes = registry.log.size();
    Tick(3);
    f.CommandCloseTime.Click();
    EXPECT_FALSE(Armed());
    EXPECT_EQ(registry.log.size(), writes);
    EXPECT_EQ(Caption(), "定时关机任务");
    EXPECT_EQ(Look(), "1 111 00110 1 保存并应用");

    f.DTPickerClose30Count.Edit(std::nullopt);
    f.CommandCloseTime.Click();
    EXPECT_EQ(Stored().CountdownEnabled, 0);
    EXPECT_EQ(Stored().CountdownSeconds, 12);  // kept for when the box is ticked again
}

// After a sleep the moment fires once at the first tick if it passed, and
// otherwise exactly at its own second. More than a minute late, it comes
// through a countdown although the reminder is off.
TEST_F(ScheduleTest, ALateTickFiresAPassedMomentOnceAndAMissedOneWithACountdown) {
    for (std::int16_t mode : {1, 2, 3})
        for (seconds ahead : {seconds{2}, seconds{hours{2}}})
            for (seconds sleep : {seconds{1}, seconds{61}, seconds{hours{1}}, seconds{hours{48}}}) {
                SetupInfo info = Record(mode);
                info.CountdownEnabled = 0;
                info.CountdownSeconds = mode == 3 ? 45 : 0;  // the reminder's own length, or 30 for none
                info.CloseDate = DatePart(Later(clock, ahead.count()));
                info.CloseTime = info.AllDayTime = TimePart(Later(clock, ahead.count()));
                info.CountDownSpan = FromSeconds(ahead.count());
                Load(info);
                Tick();
                Tick(1, sleep);
                const seconds left = ahead - seconds{2} - sleep;
                const std::string name = "mode " + std::to_string(mode) + ", " + std::to_string(ahead.count()) +
                                         " s ahead, slept " + std::to_string(sleep.count()) + " s";
                EXPECT_EQ(Fired(), left <= seconds{0} ? 1u : 0u) << "case: " << name;
                const std::vector<Call> missed{{"关机", "", std::int16_t(mode == 3 ? 45 : 30)}};
                EXPECT_EQ(countdown.calls, -left > seconds{60} ? missed : std::vector<Call>()) << "case: " << name;
                if (left > seconds{0}) {
                    Tick(1, left - seconds{2});
                    EXPECT_EQ(Fired(), 0u) << "case: " << name;
                    Tick();
                    EXPECT_EQ(Fired(), 1u) << "case: " << name;
                }
                Tick();
                EXPECT_EQ(Fired(), 1u) << "case: " << name;
            }
}

// A fixed moment stays where it is, a countdown ignores the change and
// midnight, a daily task fires the next time the clock shows its time of day.
TEST_F(ScheduleTest, SettingTheClockOrPassingMidnightWhileArmedStillFiresOnce) {
    struct Case {
        std::int16_t mode;
        int start, ahead, change, ticksToFire;  // armed at, seconds ahead, clock set by right after, ticks after that
    };
    for (const Case& c :
         {Case{1, 72000, 300, -3600, 3900}, Case{1, 72000, 300, 3600, 1}, Case{1, 72000, 300, 60, 240},
          Case{2, 72000, 1800, -3600, 1800}, Case{2, 72000, 1800, 86400, 1800}, Case{2, 72000, 1800, 5, 1800},
          Case{2, 85800, 1800, 0, 1800}, Case{3, 72000, 7200, -86400, 7200}, Case{3, 72000, 7200, -3600, 10800},
          Case{3, 72000, 7200, 3600, 3600}, Case{3, 72000, 7200, 10800, 1}, Case{3, 72000, 7200, 86400 + 60, 1}}) {
        clock.SetNow(FromSeconds(ToSeconds(kToday) + c.start));
        SetupInfo info = Record(c.mode);
        info.CountDownSpan = FromSeconds(c.ahead);
        info.CloseTime = info.AllDayTime = FromSeconds((c.start + c.ahead) % kSecondsPerDay);
        Load(info);
        clock.SetNow(Later(clock, c.change));
        const std::string name = "mode " + std::to_string(c.mode) + ", armed at " + std::to_string(c.start) +
                                 ", set by " + std::to_string(c.change);
        if (c.ticksToFire > 1) {
            Tick();
            Tick(1, seconds{c.ticksToFire - 3});
            EXPECT_EQ(Fired(), 0u) << "case: " << name;
        }
        Tick();
        EXPECT_EQ(Fired(), 1u) << "case: " << name;
        Tick();
        EXPECT_EQ(Fired(), 1u) << "case: " << name;
    }
}

TEST_F(ScheduleTest, EventsRunInsideTheActionNeitherFireAgainNorLeaveAStaleCaption) {
    SetupInfo info = Record(1);
    info.CountdownEnabled = 0;
    power.during = [&] { Tick(); };  // a tick let through by a modal box
    Load(info);
    Tick(10);
    EXPECT_EQ(power.actions, (std::vector<ActionLabel>{"关机"}));

    power.during = [&] {  // the user arms anew while the action's box is up
        form->DTPickerCloseCountTime.Edit(Tod(0, 30, 0));
        form->CommandCloseTime.Click();
    };
    form->OptionCloseCountTime.Click();
    form->DTPickerCloseCountTime.Edit(kDayZero);
    form->CommandCloseTime.Click();  // fires as it is armed
    EXPECT_EQ(power.actions.size(), 2u);
    EXPECT_TRUE(Armed());
    EXPECT_EQ(Caption(), "开始时间：20:00:11 剩余时间：30分");
}

TEST_F(ScheduleTest, DamagedRecordsGetSafeBehaviour) {
    struct Case {
        std::int16_t taskIndex, mode, startCloseTask;
        bool armed;
        const char* caption;
    };
    for (const Case& c : {Case{0, 3, 1, true, "目标时间：20:00:10 剩余时间：10秒"},
                          Case{7, 3, 1, true, "目标时间：20:00:10 剩余时间：10秒"},
                          Case{-1, 3, 1, true, "目标时间：20:00:10 剩余时间：10秒"}, Case{1, 9, 1, true, ""},
                          Case{1, 3, 5, false, "定时关机任务"}}) {
        At(20, 0, 0);
        SetupInfo info = Record(c.mode);
        info.TaskIndex = c.taskIndex;
        info.StartCloseTask = c.startCloseTask;
        const std::string name =
            std::to_string(c.taskIndex) + ", " + std::to_string(c.mode) + ", " + std::to_string(c.startCloseTask);
        FormShutdown& f = Load(info);
        EXPECT_EQ(Armed(), c.armed) << "case: " << name;
        EXPECT_EQ(Caption(), c.caption) << "case: " << name;
        EXPECT_EQ(f.CheckStartCloseTask.Value(), c.startCloseTask == 1 ? 1 : 0) << "case: " << name;
        Tick(20);
        EXPECT_EQ(Fired(), 0u) << "case: " << name;  // no action to run, or no moment at all
        EXPECT_EQ(Armed(), c.mode == 9) << "case: " << name;
        EXPECT_EQ(Stored().TaskIndex, c.taskIndex == 1 ? 1 : 0) << "case: " << name;
        if (c.mode == 9) {
            EXPECT_EQ(f.Frame13Options.Selected(), nullptr);
            f.CommandCloseTime.Click();
            f.CommandCloseTime.Click();
            EXPECT_EQ(Stored().TimingMode, 9);
        }
    }
}

// Central European rules in 2027: summer time from 28 March 01:00 UTC
// (02:00 becomes 03:00) to 31 October 01:00 UTC (03:00 becomes 02:00).
std::int64_t Berlin(std::int64_t utc) {
    const std::int64_t start = ToSeconds(MakeDateTime(year{2027} / 3 / 28, hours{1}));
    const std::int64_t end = ToSeconds(MakeDateTime(year{2027} / 10 / 31, hours{1}));
    return utc >= start && utc < end ? 7200 : 3600;
}

// Each day's moment comes once, the action run directly each time: 02:30
// on the day it is skipped comes at 03:00, and on the day it shows twice
// only at its first showing.
TEST_F(ScheduleTest, AnEveryDayTaskFiresEveryDayOnceAcrossDaylightSaving) {
    struct Case {
        year_month_day day;
        std::vector<int> fired;  // real minutes after 01:00 local on that day
    };
    for (const Case& c : {Case{year{2027} / 1 / 11, {90, 1530}}, Case{year{2027} / 3 / 28, {60, 1470}},
                          Case{year{2027} / 10 / 31, {90, 1590}}}) {
        clock.SetZone(Berlin);
        clock.SetNow(MakeDateTime(c.day, hours{1}));
        SetupInfo info = Record(3);
        info.CountdownEnabled = 0;
        info.AllDayTime = Tod(2, 30, 0);
        Load(info);
        std::vector<int> fired;
        for (int minute = 1; minute <= 2 * 1440; ++minute) {
            Tick(1, seconds{59});
            if (power.actions.size() > fired.size()) fired.push_back(minute);
        }
        EXPECT_EQ(fired, c.fired) << "case: " << static_cast<unsigned>(c.day.month());
        EXPECT_TRUE(Armed());
    }
}

// Through the dialog (whatever the user does there), directly, or hours
// late: the next day's moment is armed at once and fires a day later.
TEST_F(ScheduleTest, AnEveryDayTaskArmsItsNextDayAsItFires) {
    for (const seconds late : {seconds{0}, seconds{hours{3}}})
        for (const std::int16_t reminder : {-1, 0}) {
            At(20, 0, 0);
            SetupInfo info = Record(3);
            info.CountdownEnabled = reminder;
            Load(info);
            Tick(9);
            Tick(1, late);
            const std::string name = "late " + std::to_string(late.count()) + ", reminder " + std::to_string(reminder);
            EXPECT_EQ(Fired(), 1u) << "case: " << name;
            EXPECT_TRUE(Armed()) << "case: " << name;
            EXPECT_EQ(Caption(),
                      late.count() == 0 ? "目标时间：20:00:10 剩余时间：24小时" : "目标时间：20:00:10 剩余时间：21小时")
                << "case: " << name;
            Tick(static_cast<int>(86400 - late.count() - 1));
            EXPECT_EQ(Fired(), 1u) << "case: " << name;
            Tick();
            EXPECT_EQ(Fired(), 2u) << "case: " << name;
        }
}

// A clock set back after the day's moment (as a sync may set a fast clock)
// does not bring it again; a postponed action that comes back long after its
// time (the computer slept) gets the countdown of a missed moment; a fixed
// moment across a change to summer time names its real time.
TEST_F(ScheduleTest, NothingComesTwiceOrSecondsAfterWakingAndMomentsAreRealTimes) {
    At(20, 0, 0);
    SetupInfo info = Record(3);
    info.CountdownEnabled = 0;
    Load(info);
    Tick(12);
    clock.SetNow(FromSeconds(ToSeconds(clock.Now()) - 5));
    Tick(10);
    EXPECT_EQ(Fired(), 1u);

    form->Postpone("关机", 2);
    clock.Advance(hours{8});
    Tick();
    EXPECT_EQ(countdown.calls.back(), (FakeCountdownLauncher::Call{"关机", "", 30}));

    clock.SetZone(Berlin);
    clock.SetNow(MakeDateTime(year{2027} / 3 / 27, hours{20}));
    info = Record(1);
    info.CloseDate = MakeDate(year{2027} / 3 / 28);
    info.CloseTime = Tod(8, 0, 0);
    info.StartCloseTask = 0;
    Load(info).SaveAndApply();
    EXPECT_EQ(form->Status().secondsLeft, 11 * 3600);
    EXPECT_EQ(form->Status().moment, ValueAsText(dateTimeText, MakeDateTime(year{2027} / 3 / 28, hours{8})));
}

}  // namespace
}  // namespace tavrin
