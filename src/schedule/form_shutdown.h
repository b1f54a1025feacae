#pragma once
#include <cstdint>
#include <string>

#include "common/ole_date.h"
#include "schedule/elapsed_seconds.h"
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
// Timer1 on is the armed state.
class FormShutdown : public Form {
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

    // The time of day at which the timer was last started.
    OleDate StartTime;

    // Shows the stored settings in the controls, with the idle look.
    void RefreshSetup();
    // Stops a running task; otherwise saves the choices and arms the task
    // unless its moment has passed.
    void SaveAndApply();
    // Notices the moment and shows the remaining time in the frame caption.
    void TimerTick();
    // Stops the timer and runs the action, through the countdown dialog when
    // the reminder is on or the moment is more than a minute past.
    void FireTask(std::int64_t secondsLate);

protected:
    void OnLoad() override;

private:
    void OptionCloseTime_Click();
    void OptionCloseCountTime_Click();
    void OptionAllDay_Click();
    void ShowModePickers(bool closeTime, bool countTime, bool allDay);
    void ShowIdleLook();
    void ShowRunningLook();
    void SaveAndArm();
    bool MomentHasPassed(OleDate now) const;
    std::string AsText(OleDate value) const;

    SetupStore& store_;
    const Clock& clock_;
    const DateTimeText& dateTimeText_;
    CountdownLauncher& countdown_;
    PowerActionRunner& power_;

    // Wall-clock seconds at the previous tick (one before arming at first),
    // so a daily moment passed between two ticks is noticed once.
    std::int64_t previousTick_ = 0;
    ElapsedSeconds countdownElapsed_;
};

}  // namespace tavrin
