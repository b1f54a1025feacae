#include "schedule/form_shutdown.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"

namespace tavrin {
namespace {

using namespace std::chrono;
using namespace testing;
using Call = FakeCountdownLauncher::Call;
using enum TimingMode;

OleDate Tod(int h, int m, int s) { return MakeTimeOfDay(h, m, s); }

class ScheduleTest : public ::testing::Test, public SettingsRig {
protected:
    // "关机" with the 30-second reminder, armed at every start, `ahead`
    // seconds from now in the given mode.
    SetupInfo Record(TimingMode mode, std::int64_t ahead = 5) {
        SetupInfo info;
        info.TaskIndex = 1;
        info.CountdownEnabled = -1;
        info.CountdownSeconds = 30;
        info.TimingMode = mode;
        const OleDate at = FromSeconds(ToSeconds(clock.Now()) + ahead);
        info.CloseDate = DatePart(at);
        info.CloseTime = info.AllDayTime = TimePart(at);
        info.CountDownSpan = FromSeconds(ahead);
        info.StartCloseTask = 1;
        return info;
    }
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
    void Tick(std::int64_t times = 1, std::int64_t late = 0) {
        for (std::int64_t i = 0; i < times; ++i) {
            clock.Advance(seconds{1 + late});
            form->Timer1.Tick();
            form->TimerPostponed.Tick();
        }
    }
    std::size_t Fired() const { return countdown.calls.size() + power.actions.size(); }
    bool Armed() const { return form->Timer1.Enabled(); }

    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    std::unique_ptr<FormShutdown> form;
};

// After a sleep the moment fires once at the first tick if it passed, and
// otherwise exactly at its own second. More than a minute late it comes
// through a countdown although the reminder is off: the reminder's length,
// or 30 seconds without one.
TEST_F(ScheduleTest, AMomentFiresOnceAndAMissedOneOnlyThroughACountdown) {
    for (TimingMode mode : {DateAndTime, Countdown, EveryDay})
        for (std::int64_t ahead : {2, 7200})
            for (std::int64_t sleep : {1, 60, 61, 3600, 172800}) {
                clock.SetNow(MakeDateTime(year{2026} / 12 / 6, hours{20}));
                SetupInfo info = Record(mode, ahead);
                info.CountdownEnabled = 0;
                info.CountdownSeconds = mode == EveryDay ? 45 : 0;
                Load(info);
                Tick();
                Tick(1, sleep);
                const std::int64_t left = ahead - 2 - sleep;
                const auto name = std::to_string(int(mode)) + " " + std::to_string(ahead) + " " + std::to_string(sleep);
                EXPECT_EQ(Fired(), left <= 0 ? 1u : 0u) << name;
                const std::vector<Call> missed{{"关机", "", std::int16_t(mode == EveryDay ? 45 : 30)}};
                EXPECT_EQ(countdown.calls, -left > 60 ? missed : std::vector<Call>()) << name;
                if (left > 0) {
                    Tick(1, left - 2);
                    EXPECT_EQ(Fired(), 0u) << name;
                }
                Tick(2);
                EXPECT_EQ(Fired(), 1u) << name;
                EXPECT_EQ(Armed(), mode == EveryDay) << name;
            }
}

// A fixed moment stays where it is, a countdown ignores the change and
// midnight, a daily task fires the next time the clock shows its time.
TEST_F(ScheduleTest, SettingTheClockOrPassingMidnightWhileArmedStillFiresOnce) {
    const struct {
        TimingMode mode;
        std::int64_t start, ahead, change, ticksToFire;
    } cases[] = {{DateAndTime, 72000, 300, -3600, 3900}, {DateAndTime, 72000, 300, 3600, 1},
                 {Countdown, 72000, 1800, -3600, 1800},  {Countdown, 85800, 1800, 86400, 1800},
                 {EveryDay, 72000, 7200, -86400, 7200},  {EveryDay, 72000, 7200, -3600, 10800},
                 {EveryDay, 72000, 7200, 3600, 3600},    {EveryDay, 72000, 7200, 86400 + 60, 1}};
    for (const auto& c : cases) {
        clock.SetNow(FromSeconds(ToSeconds(MakeDate(year{2026} / 12 / 6)) + c.start));
        Load(Record(c.mode, c.ahead));
        clock.SetNow(FromSeconds(ToSeconds(clock.Now()) + c.change));
        if (c.ticksToFire > 1) {
            Tick();
            Tick(1, c.ticksToFire - 3);
            EXPECT_EQ(Fired(), 0u) << int(c.mode) << " " << c.change;
        }
        Tick(2);
        EXPECT_EQ(Fired(), 1u) << int(c.mode) << " " << c.change;
    }
}

// Central European rules in 2027: summer time from 28 March 01:00 UTC to
// 31 October 01:00 UTC.
std::int64_t Berlin(std::int64_t utc) {
    const std::int64_t start = ToSeconds(MakeDateTime(year{2027} / 3 / 28, hours{1}));
    const std::int64_t end = ToSeconds(MakeDateTime(year{2027} / 10 / 31, hours{1}));
    return utc >= start && utc < end ? 7200 : 3600;
}

// Each day's moment comes once: 02:30 on the day it is skipped comes at
// 03:00, and on the day it shows twice only at its first showing. Through
// the dialog or directly, the next day is armed as it fires.
TEST_F(ScheduleTest, AnEveryDayTaskFiresEveryDayOnceAcrossDaylightSaving) {
    const std::pair<year_month_day, std::vector<int>> cases[] = {
        {year{2027} / 1 / 11, {90, 1530}}, {year{2027} / 3 / 28, {60, 1470}}, {year{2027} / 10 / 31, {90, 1590}}};
    for (const auto& [day, expected] : cases) {
        clock.SetZone(Berlin);
        clock.SetNow(MakeDateTime(day, hours{1}));
        SetupInfo info = Record(EveryDay);
        info.CountdownEnabled = day.month() == month{1} ? -1 : 0;
        info.AllDayTime = Tod(2, 30, 0);
        Load(info);
        std::vector<int> fired;  // real minutes after 01:00 local
        for (int minute = 1; minute <= 2 * 1440; ++minute) {
            Tick(1, 59);
            if (Fired() > fired.size()) fired.push_back(minute);
        }
        EXPECT_EQ(fired, expected) << unsigned(day.month());
    }
}

// A clock set back after the day's moment (a sync setting a fast clock)
// does not bring it again; the next day's comes a day later. A postponed
// action comes back ten minutes on, or long after (a sleep) with the
// count of a missed moment.
TEST_F(ScheduleTest, NothingComesTwiceOrSecondsAfterWaking) {
    SetupInfo info = Record(EveryDay, 10);
    info.CountdownEnabled = 0;
    Load(info);
    Tick(12);
    clock.SetNow(FromSeconds(ToSeconds(clock.Now()) - 5));
    Tick(10);
    EXPECT_EQ(Fired(), 1u);
    Tick(86392);
    EXPECT_EQ(Fired(), 1u);
    Tick();
    EXPECT_EQ(Fired(), 2u);

    form->Postpone("锁定", 7);
    Tick(300);
    form->Postpone("重启", 2);
    Tick(299);
    EXPECT_TRUE(countdown.calls.empty());
    Tick();
    EXPECT_EQ(countdown.calls, (std::vector<Call>{{"锁定", "", 7}}));
    Tick(1, 3600);
    EXPECT_EQ(countdown.calls.back(), (Call{"重启", "", 30}));
}

// A moment that is now fires as it is armed; the reminder chooses between
// the dialog and the action. A date and time past is refused but saved.
TEST_F(ScheduleTest, ArmingFiresAMomentThatIsNowAndRefusesOneThatPassed) {
    const struct {
        TimingMode mode;
        std::int64_t ahead;
        std::int16_t reminder, seconds;
        std::size_t dialogs, direct;
    } cases[] = {{DateAndTime, 0, -1, 30, 1, 0}, {EveryDay, 0, -1, 0, 1, 0},    {Countdown, 0, 0, 30, 0, 1},
                 {Countdown, 0, 1, 7, 1, 0},     {DateAndTime, -1, 0, 0, 0, 0}, {EveryDay, -1, 0, 0, 0, 0}};
    for (const auto& c : cases) {
        SetupInfo info = Record(c.mode, c.ahead);
        info.CountdownEnabled = c.reminder;
        info.CountdownSeconds = c.seconds;
        info.StartCloseTask = c.ahead < 0 ? 0 : 1;
        Load(info);
        form->ComboCloseTime.Choose(5);
        if (c.ahead < 0) form->CommandCloseTime.Click();
        EXPECT_EQ(countdown.calls.size(), c.dialogs) << int(c.mode);
        EXPECT_EQ(power.actions.size(), c.direct) << int(c.mode);
        EXPECT_TRUE(countdown.calls.empty() || countdown.calls[0].count == c.seconds) << int(c.mode);
        EXPECT_EQ(Armed(), c.mode == EveryDay && c.ahead == 0) << int(c.mode);
        EXPECT_EQ(Stored().TaskIndex, c.ahead < 0 ? 6 : 1) << int(c.mode);
    }
}

// What the pane shows is what "保存并应用" stores; stopping stores nothing.
TEST_F(ScheduleTest, SavingStoresTheShownChoicesAndStoppingSavesNothing) {
    SetupInfo info = Record(EveryDay);
    info.StartCloseTask = 0;
    FormShutdown& f = Load(info);
    f.ComboCloseTime.Choose(3);
    f.DTPickerClose30Count.Edit(Tod(0, 0, 12));
    f.OptionCloseCountTime.Click();
    EXPECT_TRUE(f.DTPickerCloseCountTime.Enabled() && !f.DTPickerAllDayTime.Enabled());
    f.DTPickerCloseCountTime.Edit(Tod(2, 5, 0));
    f.CheckStartCloseTask.Click();
    f.CommandCloseTime.Click();
    info.TaskIndex = 4;
    info.CountdownSeconds = 12;
    info.TimingMode = Countdown;
    info.CountDownSpan = Tod(2, 5, 0);
    info.StartCloseTask = 1;
    EXPECT_EQ(Stored(), info);
    EXPECT_EQ(form->ArmedStatus().secondsLeft, 7500);

    const std::size_t writes = registry.log.size();
    f.CommandCloseTime.Click();
    EXPECT_FALSE(Armed());
    EXPECT_EQ(registry.log.size(), writes);
    f.OptionAllDay.Click();
    EXPECT_TRUE(!f.DTPickerCloseCountTime.Enabled() && f.DTPickerAllDayTime.Enabled());
    f.DTPickerClose30Count.Edit(std::nullopt);
    f.CommandCloseTime.Click();
    EXPECT_EQ(Stored().CountdownEnabled, 0);
    EXPECT_EQ(Stored().CountdownSeconds, 12);  // kept for when the box is ticked again
}

// No action chosen, an unknown mode or a start flag other than 1: nothing
// ever fires, and an unknown mode is stored back as it was.
TEST_F(ScheduleTest, DamagedRecordsNeverFire) {
    const struct {
        std::int16_t taskIndex, mode, startCloseTask;
        bool armed;
    } cases[] = {{0, 3, 1, true}, {7, 3, 1, true}, {-1, 3, 1, true}, {1, 9, 1, true}, {1, 3, 5, false}};
    for (const auto& c : cases) {
        SetupInfo info = Record(EveryDay);
        info.TaskIndex = c.taskIndex;
        info.TimingMode = TimingMode{c.mode};
        info.StartCloseTask = c.startCloseTask;
        Load(info);
        EXPECT_EQ(Armed(), c.armed) << c.taskIndex << " " << c.mode;
        Tick(20);
        EXPECT_EQ(Fired(), 0u) << c.taskIndex << " " << c.mode;
        if (c.mode == 9) {
            EXPECT_EQ(form->Status().state, ScheduleStatus::State::Idle);
            form->CommandCloseTime.Click();
            form->CommandCloseTime.Click();
            EXPECT_EQ(Stored().TimingMode, TimingMode{9});
        }
    }
}

}  // namespace
}  // namespace tavrin
