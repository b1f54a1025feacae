#pragma once
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/ole_date.h"
#include "countdown/postponer.h"
#include "schedule/elapsed_seconds.h"
#include "schedule/schedule_status.h"
#include "schedule/scheduled_task.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {

class Clock;
class CountdownLauncher;
class DateTimeText;
class PowerActionRunner;
class SetupStore;

// The schedule window: the one scheduled power action, when it runs, whether
// the countdown dialog comes first, and whether it arms itself at start-up.
// Timer1 on is the armed state; TimerPostponed on, that some action was put
// off. An every-day task arms itself again for its next day as it fires.
class FormShutdown : public Form, public Postponer {
public:
    FormShutdown(SetupStore& store, const Clock& clock, const DateTimeText& dateTimeText, CountdownLauncher& countdown,
                 PowerActionRunner& power);

    Frame FrameOnTimeClose{"定时关机任务"};
    Frame Frame13{"计时方式"};
    OptionGroup Frame13Options;
    OptionButton OptionCloseTime{Frame13Options, "指定时间"};
    OptionButton OptionCloseCountTime{Frame13Options, "倒计时"};
    OptionButton OptionAllDay{Frame13Options, "每天同一时间"};
    DTPicker DTPickerCloseData;
    DTPicker DTPickerCloseTime;
    DTPicker DTPickerCloseCountTime;
    DTPicker DTPickerAllDayTime;
    ComboBox ComboCloseTime;
    DTPicker DTPickerClose30Count;
    CheckBox CheckStartCloseTask{"每次开机后自动执行此任务"};
    CommandButton CommandCloseTime{"保存并应用"};
    Timer Timer1{*this, 1000};
    Timer TimerPostponed{*this, 1000};

    // Told after every tick and every change of state.
    std::function<void()> onStatusChange;

    // The time of day at which the timer was last started.
    OleDate StartTime;

    // Shows the stored settings in the controls, with the idle look.
    void RefreshSetup();
    // Stops a running task; otherwise saves the choices and arms the task
    // unless its moment has passed.
    void SaveAndApply();
    // Stops the armed and the postponed tasks; nothing else, ever. False
    // when nothing was pending.
    bool StopTiming();
    // Arms `task` in place of any armed one, the pane showing it as if the
    // user had chosen it; with `save` it is stored first, as "保存并应用"
    // stores. An every-day time already past today comes tomorrow. False,
    // with nothing changed, when a date and time is past at `now`, the local
    // time the caller read.
    bool Arm(const ScheduledTask& task, bool save, OleDate now);
    // Notices the moment and shows the remaining time in the frame caption.
    void TimerTick();
    // Stops the timer and runs the action, through the countdown dialog when
    // the reminder is on or the moment is more than a minute past.
    void FireTask(std::int64_t secondsLate);
    // Postponer: ten minutes from now, on the monotonic clock.
    void Postpone(const ActionLabel& label, std::int16_t countSeconds) override;
    // The action that comes first: a postponed one or the armed task.
    ScheduleStatus Status() const;
    // The armed task alone; Idle when only a postponed action is pending.
    ScheduleStatus ArmedStatus() const;

protected:
    void OnLoad() override;

private:
    void OptionCloseTime_Click();
    void OptionCloseCountTime_Click();
    void OptionAllDay_Click();
    void ShowModePickers(bool closeTime, bool countTime, bool allDay);
    void ShowTask(const ScheduledTask& task);
    void ShowIdleLook();
    void ShowRunningLook();
    void SaveChoices();
    void SaveAndArm();
    bool ArmTask(const ScheduledTask& task, bool dailyMayWait, OleDate now);
    ScheduleStatus ArmedOnly() const;  // without its moment as text
    ScheduleStatus WithMoment(ScheduleStatus status) const;
    void ArmNextDay(std::int64_t utcNow);
    // The next moment of the every-day time from `utcFrom`, never on the day it last fired.
    std::int64_t NextUnfiredDailyMoment(std::int64_t utcFrom) const;
    void PostponedTick();
    void StatusChanged();
    std::string AsText(OleDate value) const;

    SetupStore& store_;
    const Clock& clock_;
    const DateTimeText& dateTimeText_;
    CountdownLauncher& countdown_;
    PowerActionRunner& power_;

    // What Timer1 counts towards: the stored task, or a one-off.
    ScheduledTask armed_;

    // The every-day moment on the UTC clock, and that clock at the previous
    // tick: only a clock set back (never daylight saving) moves the moment.
    std::int64_t dailyMoment_ = 0;
    // The local day an every-day task last fired on: a clock set back never
    // brings that day's moment again.
    std::optional<std::int64_t> firedDay_;
    std::int64_t previousUtc_ = 0;
    ElapsedSeconds countdownElapsed_;
    std::int64_t secondsLeft_ = 0;  // the armed task's, at the last tick

    struct Postponed {
        ActionLabel label;
        std::int16_t countSeconds;
        std::chrono::milliseconds due;
    };
    std::vector<Postponed> postponed_;
};

}  // namespace tavrin
