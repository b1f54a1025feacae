#include "schedule/form_shutdown.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"

namespace tavrin {
namespace {

using namespace std::chrono;
using namespace testing;
using Calls = std::vector<FakeCountdownLauncher::Call>;
using enum TimingMode;

class ScheduleTest : public ::testing::Test, public SettingsRig {
protected:
    // "关机", the reminder off, armed at every start `ahead` seconds from
    // local `start` in the given mode.
    FormShutdown& Load(TimingMode mode, std::int64_t ahead, std::int64_t start = 72000, std::int16_t reminder = 0) {
        clock.SetNow(FromSeconds(ToSeconds(MakeDate(year{2026} / 12 / 6)) + start));
        SetupInfo info;
        info.TaskIndex = 1;
        info.CountdownEnabled = reminder;
        info.CountdownSeconds = mode == EveryDay ? 45 : 0;
        info.TimingMode = mode;
        const OleDate at = FromSeconds(ToSeconds(clock.Now()) + ahead);
        info.CloseDate = DatePart(at);
        info.CloseTime = info.AllDayTime = TimePart(at);
        info.CountDownSpan = FromSeconds(ahead);
        info.StartCloseTask = ahead < 0 ? 0 : 1;
        return Load(info);
    }
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

    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    std::unique_ptr<FormShutdown> form;
};

// After a sleep the moment fires once at the first tick if it passed, else
// at its own second. More than a minute late it comes through a countdown
// although the reminder is off: the reminder's length, or 30 without one.
TEST_F(ScheduleTest, AMomentFiresOnceAndAMissedOneOnlyThroughACountdown) {
    for (TimingMode mode : {DateAndTime, Countdown, EveryDay})
        for (std::int64_t ahead : {2, 7200})
            for (std::int64_t sleep : {1, 60, 61, 3600, 172800}) {
                SCOPED_TRACE(::testing::Message() << int(mode) << " " << ahead << " " << sleep);
                Load(mode, ahead);
                Tick();
                Tick(1, sleep);
                const std::int64_t left = ahead - 2 - sleep;
                EXPECT_EQ(Fired(), left <= 0 ? 1u : 0u);
                const Calls missed{{"关机", "", std::int16_t(mode == EveryDay ? 45 : 30)}};
                EXPECT_EQ(countdown.calls, -left > 60 ? missed : Calls());
                if (left > 0) Tick(1, left - 2);
                EXPECT_EQ(Fired(), left <= 0 ? 1u : 0u);
                Tick(2);
                EXPECT_EQ(Fired(), 1u);
                EXPECT_EQ(form->Timer1.Enabled(), mode == EveryDay);
            }
}

// A fixed moment stays where it is (tomorrow's too), a countdown ignores the
// change and midnight, a daily task fires the next time the clock shows its
// time.
TEST_F(ScheduleTest, SettingTheClockOrPassingMidnightWhileArmedStillFiresOnce) {
    const struct {
        TimingMode mode;
        std::int64_t start, ahead, change, ticksToFire;
    } cases[] = {{DateAndTime, 72000, 300, -3600, 3900}, {DateAndTime, 85800, 1800, 0, 1800},
                 {Countdown, 72000, 1800, -3600, 1800},  {Countdown, 85800, 1800, 86400, 1800},
                 {EveryDay, 72000, 7200, -86400, 7200},  {EveryDay, 72000, 7200, -3600, 10800},
                 {EveryDay, 72000, 7200, 86400 + 60, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.change);
        Load(c.mode, c.ahead, c.start);
        clock.SetNow(FromSeconds(ToSeconds(clock.Now()) + c.change));
        Tick(1, c.ticksToFire - 2);
        EXPECT_EQ(Fired(), c.ticksToFire == 1 ? 1u : 0u);
        Tick();
        EXPECT_EQ(Fired(), 1u);
    }
}

// Central European rules: summer time from 28 March to 31 October 2027, 01:00 UTC.
std::int64_t Berlin(std::int64_t utc) {
    const bool summer = utc >= ToSeconds(MakeDateTime(year{2027} / 3 / 28, hours{1})) &&
                        utc < ToSeconds(MakeDateTime(year{2027} / 10 / 31, hours{1}));
    return summer ? 7200 : 3600;
}

// Each day's moment comes once: 02:30 on the day it is skipped comes at
// 03:00, and on the day it shows twice only at its first showing. Through
// the dialog or directly, the next day is armed as it fires.
TEST_F(ScheduleTest, AnEveryDayTaskFiresEveryDayOnceAcrossDaylightSaving) {
    const std::pair<year_month_day, std::vector<int>> cases[] = {
        {year{2027} / 1 / 11, {90, 1530}}, {year{2027} / 3 / 28, {60, 1470}}, {year{2027} / 10 / 31, {90, 1590}}};
    for (const auto& [day, expected] : cases) {
        clock.SetZone(Berlin);
        Load(EveryDay, 9000, 0, day.month() == month{1} ? -1 : 0);  // 02:30
        clock.SetNow(MakeDateTime(day, hours{1}));
        Load(store.Info());
        std::vector<int> fired;  // real minutes after 01:00 local
        for (int minute = 1; minute <= 2 * 1440; ++minute) {
            Tick(1, 59);
            if (Fired() > fired.size()) fired.push_back(minute);
        }
        EXPECT_EQ(fired, expected) << unsigned(day.month());
    }
}

// A clock set back after the day's moment (a sync setting a fast clock)
// does not bring it again. A postponed action comes back ten minutes on, or
// long after (a sleep) with the count of a missed moment.
TEST_F(ScheduleTest, NothingComesTwiceOrSecondsAfterWaking) {
    Load(EveryDay, 10);
    Tick(12);
    clock.SetNow(FromSeconds(ToSeconds(clock.Now()) - 5));
    Tick(86402);  // to 20:00:09 the next day
    EXPECT_EQ(Fired(), 1u);
    Tick();
    EXPECT_EQ(Fired(), 2u);

    countdown.calls.clear();
    form->Postpone("锁定", 7);
    Tick(300);
    form->Postpone("重启", 2);
    Tick(300);
    EXPECT_EQ(countdown.calls, (Calls{{"锁定", "", 7}}));
    Tick(1, 3600);
    EXPECT_EQ(countdown.calls.back(), (FakeCountdownLauncher::Call{"重启", "", 30}));
}

// A moment that is now fires as it is armed, through the dialog when the
// reminder is on; a past one is refused at the button but saved.
TEST_F(ScheduleTest, ArmingFiresAMomentThatIsNowAndRefusesOneThatPassed) {
    const struct {
        TimingMode mode;
        std::int64_t ahead;
        std::int16_t reminder;
        std::size_t dialogs, direct;
    } cases[] = {{DateAndTime, 0, -1, 1, 0},
                 {EveryDay, 0, 1, 1, 0},
                 {Countdown, 0, 0, 0, 1},
                 {DateAndTime, -1, 0, 0, 0},
                 {EveryDay, -1, -1, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.mode) << " " << c.ahead);
        Load(c.mode, c.ahead, 72000, c.reminder).ComboCloseTime.Choose(5);
        if (c.ahead < 0) form->CommandCloseTime.Click();
        EXPECT_EQ(countdown.calls.size(), c.dialogs);
        EXPECT_EQ(power.actions.size(), c.direct);
        EXPECT_EQ(form->Timer1.Enabled(), c.mode == EveryDay && c.ahead == 0);
        EXPECT_EQ(Stored().TaskIndex, c.ahead < 0 ? 6 : 1);
    }
}

// The frame names the target and the time left, leaving out what is zero.
TEST_F(ScheduleTest, TheFrameReadsTheTargetAndTheTimeLeft) {
    for (const auto& [mode, ahead, caption] :
         {std::tuple(DateAndTime, 43200, "目标时间：2026/12/7 8:00:00 剩余时间：12小时"),
          std::tuple(DateAndTime, 172800, "目标时间：2026/12/8 20:00:00 剩余时间：2天"),
          std::tuple(Countdown, 1800, "开始时间：20:00:00 剩余时间：30分"),
          std::tuple(EveryDay, 14399, "目标时间：23:59:59 剩余时间：3小时 59分 59秒")})
        EXPECT_EQ(Load(mode, ahead).FrameOnTimeClose.Caption(), caption);
}

// What the pane shows is what "保存并应用" stores; stopping stores nothing.
TEST_F(ScheduleTest, SavingStoresTheShownChoicesAndStoppingSavesNothing) {
    FormShutdown& f = Load(EveryDay, -1);
    const std::string idleCaption = f.CommandCloseTime.Caption();
    f.ComboCloseTime.Choose(3);
    f.DTPickerClose30Count.Edit(MakeTimeOfDay(0, 0, 12));
    f.OptionCloseCountTime.Click();
    EXPECT_TRUE(f.DTPickerCloseCountTime.Enabled() && !f.DTPickerAllDayTime.Enabled());
    f.DTPickerCloseCountTime.Edit(MakeTimeOfDay(2, 5, 0));
    f.CheckStartCloseTask.Click();
    f.CommandCloseTime.Click();
    EXPECT_EQ(std::tuple(Stored().TaskIndex, Stored().CountdownEnabled, Stored().CountdownSeconds, Stored().TimingMode,
                         Stored().CountDownSpan, Stored().StartCloseTask),
              std::tuple(4, -1, 12, Countdown, MakeTimeOfDay(2, 5, 0), 1));
    EXPECT_EQ(f.ArmedStatus().secondsLeft, 7500);
    EXPECT_NE(f.CommandCloseTime.Caption(), idleCaption);  // the button now stops

    const std::size_t writes = registry.log.size();
    f.CommandCloseTime.Click();
    EXPECT_EQ(std::pair(f.Timer1.Enabled(), f.CommandCloseTime.Caption()), std::pair(false, idleCaption));
    EXPECT_EQ(registry.log.size(), writes);
    f.OptionAllDay.Click();
    EXPECT_TRUE(!f.DTPickerCloseCountTime.Enabled() && f.DTPickerAllDayTime.Enabled());
    f.DTPickerClose30Count.Edit(std::nullopt);
    f.CommandCloseTime.Click();
    EXPECT_EQ(Stored().CountdownEnabled, 0);
    EXPECT_EQ(Stored().CountdownSeconds, 12);  // kept for when the box is ticked again
}

}  // namespace
}  // namespace tavrin
