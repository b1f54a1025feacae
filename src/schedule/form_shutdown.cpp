#include "schedule/form_shutdown.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "countdown/countdown_launcher.h"
#include "ports/clock.h"
#include "power/power_action_runner.h"
#include "schedule/daily_moment.h"
#include "schedule/format_span.h"
#include "schedule/value_as_text.h"
#include "settings/setup_store.h"

namespace tavrin {

namespace {

constexpr const char* kIdleCaption = "定时关机任务";
constexpr const char* kSaveCaption = "保存并应用";
constexpr const char* kStopCaption = "停止计时";
constexpr const char* kTargetLabel = "目标时间：";
constexpr const char* kStartLabel = "开始时间：";
constexpr const char* kRemainingLabel = " 剩余时间：";
const OleDate kHalfAnHour = MakeTimeOfDay(0, 30, 0);
constexpr std::int64_t kMissedAfterSeconds = 60;
constexpr std::int16_t kMissedCountdownSeconds = 30;
constexpr std::chrono::milliseconds kPostponeFor = std::chrono::minutes{10};
constexpr const char* kPostponedLabel = "已推迟：";

// Only the day of a date field and only the time of day of a time field
// count, as only they show in their pickers; a damaged record then still
// names a moment the user can see.
std::int64_t DaySeconds(OleDate date) { return ToSeconds(DatePart(date)); }
std::int64_t TimeOfDaySeconds(OleDate time) { return ToSeconds(TimePart(time)); }

std::int64_t FixedMoment(const ScheduledTask& info) {
    return DaySeconds(info.CloseDate) + TimeOfDaySeconds(info.CloseTime);
}

// A moment that is now has not passed: arming fires it at once. A countdown
// is never refused; nor is an every-day time that may wait for tomorrow.
bool HasPassed(const ScheduledTask& task, bool dailyMayWait, OleDate now) {
    if (task.TimingMode == TimingMode::DateAndTime) return FixedMoment(task) < ToSeconds(now);
    return task.TimingMode == TimingMode::EveryDay && !dailyMayWait &&
           TimeOfDaySeconds(task.AllDayTime) < TimeOfDaySeconds(now);
}

bool IsKnown(TimingMode mode) {
    return mode == TimingMode::DateAndTime || mode == TimingMode::Countdown || mode == TimingMode::EveryDay;
}

std::int16_t ToInt16(std::int64_t v) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

FormShutdown::FormShutdown(SetupStore& store, const Clock& clock, const DateTimeText& dateTimeText,
                           CountdownLauncher& countdown, PowerActionRunner& power)
    : Form("定时关机"),
      store_(store),
      clock_(clock),
      dateTimeText_(dateTimeText),
      countdown_(countdown),
      power_(power) {
    DTPickerCloseData.format = DTPicker::Format::LongDate;
    DTPickerCloseTime.format = DTPicker::Format::Time;
    DTPickerCloseTime.upDown = true;
    DTPickerCloseCountTime.format = DTPicker::Format::Custom;
    DTPickerCloseCountTime.customFormat = "H'小时'mm'分后执行'";
    DTPickerCloseCountTime.upDown = true;
    DTPickerCloseCountTime.SetValue(kHalfAnHour);
    DTPickerAllDayTime.format = DTPicker::Format::Time;
    DTPickerAllDayTime.upDown = true;
    DTPickerClose30Count.format = DTPicker::Format::Custom;
    DTPickerClose30Count.customFormat = "'执行前倒计时提醒，延迟时间'ss'秒'";
    DTPickerClose30Count.upDown = true;
    DTPickerClose30Count.showNone = true;
    for (std::string_view label : kScheduleActions) ComboCloseTime.AddItem(std::string(label));

    OptionCloseTime.onClick = [this] { OptionCloseTime_Click(); };
    OptionCloseCountTime.onClick = [this] { OptionCloseCountTime_Click(); };
    OptionAllDay.onClick = [this] { OptionAllDay_Click(); };
    CommandCloseTime.onClick = [this] { SaveAndApply(); };
    Timer1.alignToSecond = true;
    Timer1.onTick = [this] {
        countdownElapsed_.Tick(ToSeconds(clock_.Now()), clock_.Monotonic());
        TimerTick();
    };
    TimerPostponed.onTick = [this] { PostponedTick(); };
}

void FormShutdown::OnLoad() {
    Move(0, 0);
    RefreshSetup();
    if (store_.Info().StartCloseTask == 1)
        SaveAndArm();
    else
        Timer1.SetEnabled(false);
}

void FormShutdown::OptionCloseTime_Click() { ShowModePickers(true, false, false); }
void FormShutdown::OptionCloseCountTime_Click() { ShowModePickers(false, true, false); }
void FormShutdown::OptionAllDay_Click() { ShowModePickers(false, false, true); }

void FormShutdown::ShowModePickers(bool closeTime, bool countTime, bool allDay) {
    DTPickerCloseData.SetEnabled(closeTime);
    DTPickerCloseTime.SetEnabled(closeTime);
    DTPickerCloseCountTime.SetEnabled(countTime);
    DTPickerAllDayTime.SetEnabled(allDay);
}

void FormShutdown::RefreshSetup() {
    ShowTask(TaskOf(store_.Info()));
    ShowIdleLook();
    // The box holds 0 or 1; a damaged value means "not 1", as at start-up.
    CheckStartCloseTask.SetValue(store_.Info().StartCloseTask == 1 ? 1 : 0);
}

void FormShutdown::ShowTask(const ScheduledTask& info) {
    FrameOnTimeClose.SetCaption(kIdleCaption);
    ComboCloseTime.SetListIndex(info.TaskIndex - 1);  // outside the list: no selection

    // The length first, so ticking the box again shows the stored one.
    DTPickerClose30Count.SetValue(FromSeconds(info.CountdownSeconds));
    if (info.CountdownEnabled == 0) DTPickerClose30Count.SetValue(std::nullopt);

    const OleDate now = clock_.Now();
    DTPickerCloseData.SetValue(DatePart(now));
    DTPickerCloseTime.SetValue(TimePart(now));
    DTPickerCloseCountTime.SetValue(kHalfAnHour);
    DTPickerAllDayTime.SetValue(TimePart(now));
    switch (info.TimingMode) {
        case TimingMode::DateAndTime:
            OptionCloseTime_Click();
            OptionCloseTime.Select();
            DTPickerCloseData.SetValue(info.CloseDate);
            DTPickerCloseTime.SetValue(info.CloseTime);
            break;
        case TimingMode::Countdown:
            OptionCloseCountTime_Click();
            OptionCloseCountTime.Select();
            DTPickerCloseCountTime.SetValue(info.CountDownSpan);
            break;
        case TimingMode::EveryDay:
            OptionAllDay_Click();
            OptionAllDay.Select();
            DTPickerAllDayTime.SetValue(info.AllDayTime);
            break;
        default:
            break;
    }
}

void FormShutdown::ShowIdleLook() {
    CommandCloseTime.SetCaption(kSaveCaption);
    for (Control* c : std::initializer_list<Control*>{&ComboCloseTime, &DTPickerClose30Count, &CheckStartCloseTask,
                                                      &OptionCloseCountTime, &OptionCloseTime, &OptionAllDay})
        c->SetEnabled(true);
    FrameOnTimeClose.SetCaption(kIdleCaption);
}

void FormShutdown::ShowRunningLook() {
    CommandCloseTime.SetCaption(kStopCaption);
    for (Control* c :
         std::initializer_list<Control*>{&ComboCloseTime, &OptionCloseTime, &OptionCloseCountTime, &OptionAllDay,
                                         &DTPickerCloseData, &DTPickerCloseTime, &DTPickerCloseCountTime,
                                         &DTPickerClose30Count, &DTPickerAllDayTime, &CheckStartCloseTask})
        c->SetEnabled(false);
}

void FormShutdown::SaveAndApply() {
    if (Timer1.Enabled() || TimerPostponed.Enabled())
        StopTiming();
    else
        SaveAndArm();
}

bool FormShutdown::StopTiming() {
    if (!Timer1.Enabled() && !TimerPostponed.Enabled()) return false;
    Timer1.SetEnabled(false);
    TimerPostponed.SetEnabled(false);
    postponed_.clear();
    RefreshSetup();
    StatusChanged();
    return true;
}

bool FormShutdown::Arm(const ScheduledTask& task, bool save, OleDate now) {
    if (HasPassed(task, true, now)) return false;  // the armed task stays
    Timer1.SetEnabled(false);
    ShowTask(task);
    if (!save) return ArmTask(task, true, now);
    SaveChoices();  // from the controls, as the button saves: what is armed is what is stored
    return ArmTask(TaskOf(store_.Info()), true, now);
}

void FormShutdown::SaveAndArm() {
    SaveChoices();
    // One reading of the clock for the decision and the arming, so a moment
    // that is now cannot slip between them.
    (void)ArmTask(TaskOf(store_.Info()), false, clock_.Now());
}

void FormShutdown::SaveChoices() {
    SetupInfo& info = store_.Info();
    info.TaskIndex = ToInt16(ComboCloseTime.ListIndex() + 1);
    if (const auto reminder = DTPickerClose30Count.Value()) {
        info.CountdownEnabled = -1;
        info.CountdownSeconds = ToInt16(SecondsBetween(kDayZero, *reminder));
    } else {
        info.CountdownEnabled = 0;
    }
    if (OptionCloseTime.Value()) {
        info.CloseDate = DTPickerCloseData.Value().value_or(info.CloseDate);
        info.CloseTime = DTPickerCloseTime.Value().value_or(info.CloseTime);
        info.TimingMode = TimingMode::DateAndTime;
    }
    if (OptionCloseCountTime.Value()) {
        info.CountDownSpan = DTPickerCloseCountTime.Value().value_or(info.CountDownSpan);
        info.TimingMode = TimingMode::Countdown;
    }
    if (OptionAllDay.Value()) {
        info.AllDayTime = DTPickerAllDayTime.Value().value_or(info.AllDayTime);
        info.TimingMode = TimingMode::EveryDay;
    }
    info.StartCloseTask = ToInt16(CheckStartCloseTask.Value());
    store_.SaveSetupInfo();
}

bool FormShutdown::ArmTask(const ScheduledTask& task, bool dailyMayWait, OleDate now) {
    if (HasPassed(task, dailyMayWait, now)) {
        RefreshSetup();
        StatusChanged();
        return false;
    }
    armed_ = task;
    ShowRunningLook();
    Timer1.SetEnabled(true);
    StartTime = TimePart(now);
    previousUtc_ = clock_.UtcNow();
    firedDay_.reset();  // the user's own arming may come back the same day
    dailyMoment_ = NextUnfiredDailyMoment(previousUtc_);
    countdownElapsed_.Start(ToSeconds(now), clock_.Monotonic());
    TimerTick();
    return true;
}

// A moment counts as come at the first tick at which it is no longer ahead,
// however late that tick is, and the timer stops there, so it fires once.
void FormShutdown::TimerTick() {
    const ScheduledTask& info = armed_;
    const std::int64_t now = ToSeconds(clock_.Now());
    bool due = false;
    std::int64_t secondsLate = 0;  // once due, how long ago the moment was
    std::string text;
    switch (info.TimingMode) {
        case TimingMode::DateAndTime: {
            // An absolute moment: a clock set back moves it further away. It
            // comes when the local clock shows it; the time left is real
            // seconds, so a change of daylight saving in between is counted.
            due = FixedMoment(info) <= now;
            secondsLate = now - FixedMoment(info);
            secondsLeft_ = std::max<std::int64_t>(0, FirstShowing(clock_, FixedMoment(info)) - clock_.UtcNow());
            text = kTargetLabel + AsText(DatePart(info.CloseDate)) + " " + AsText(TimePart(info.CloseTime)) +
                   kRemainingLabel + FormatSeconds(secondsLeft_);
            break;
        }
        case TimingMode::Countdown: {
            // Measured on the monotonic clock: midnight and clock changes do not count.
            const std::int64_t left = TimeOfDaySeconds(info.CountDownSpan) - countdownElapsed_.Count();
            due = left <= 0;
            secondsLate = -left;
            secondsLeft_ = std::max<std::int64_t>(0, left);
            text = kStartLabel + AsText(StartTime) + kRemainingLabel + FormatSpan(0, static_cast<std::int32_t>(left));
            break;
        }
        case TimingMode::EveryDay: {
            // A real moment, so daylight saving neither skips nor repeats it;
            // a clock set back finds the next time it shows that time of day.
            const std::int64_t utc = clock_.UtcNow();
            if (utc < previousUtc_) dailyMoment_ = NextUnfiredDailyMoment(utc);
            previousUtc_ = utc;
            secondsLeft_ = std::max<std::int64_t>(0, dailyMoment_ - utc);
            due = secondsLeft_ == 0;
            secondsLate = utc - dailyMoment_;
            text = kTargetLabel + AsText(TimePart(info.AllDayTime)) + kRemainingLabel +
                   FormatSpan(0, static_cast<std::int32_t>(secondsLeft_));
            break;
        }
        default:
            break;  // no known mode: an empty caption, and nothing ever fires
    }
    if (due) {
        FireTask(secondsLate);
        return;
    }
    if (Timer1.Enabled()) FrameOnTimeClose.SetCaption(text);
    StatusChanged();
}

// A moment missed while the computer slept, or skipped by a clock set
// forward, never acts unannounced: it goes through the countdown dialog
// even with the reminder off.
void FormShutdown::FireTask(std::int64_t secondsLate) {
    Timer1.SetEnabled(false);
    const ScheduledTask info = armed_;  // the action may arm anew
    if (info.TimingMode == TimingMode::EveryDay) firedDay_ = LocalDay(clock_, dailyMoment_);
    RefreshSetup();
    if (TimerPostponed.Enabled()) ShowRunningLook();
    const ActionLabel label = ComboCloseTime.List(info.TaskIndex - 1);
    if (label.empty()) {  // no action chosen: nothing runs
        StatusChanged();
        return;
    }
    const bool missed = secondsLate > kMissedAfterSeconds;
    if (missed)
        countdown_.DoTask(label, "", info.CountdownSeconds > 0 ? info.CountdownSeconds : kMissedCountdownSeconds);
    else if (info.CountdownEnabled != 0)
        countdown_.DoTask(label, "", info.CountdownSeconds);
    else
        power_.RunPowerAction(label);
    // Whatever became of the action; unless the user armed anew meanwhile.
    if (info.TimingMode == TimingMode::EveryDay && !Timer1.Enabled()) ArmNextDay(clock_.UtcNow());
    StatusChanged();
}

std::int64_t FormShutdown::NextUnfiredDailyMoment(std::int64_t utcFrom) const {
    const std::int64_t timeOfDay = TimeOfDaySeconds(armed_.AllDayTime);
    const std::int64_t at = NextDailyMoment(clock_, utcFrom, timeOfDay);
    return firedDay_ && LocalDay(clock_, at) == *firedDay_ ? NextDailyMoment(clock_, at + 1, timeOfDay) : at;
}

void FormShutdown::ArmNextDay(std::int64_t utcNow) {
    dailyMoment_ = NextUnfiredDailyMoment(std::max(utcNow, dailyMoment_) + 1);
    previousUtc_ = utcNow;
    ShowTask(armed_);
    ShowRunningLook();
    Timer1.SetEnabled(true);
    TimerTick();
}

void FormShutdown::Postpone(const ActionLabel& label, std::int16_t countSeconds) {
    postponed_.push_back({label, countSeconds, clock_.Monotonic() + kPostponeFor});
    if (!Timer1.Enabled()) ShowRunningLook();
    TimerPostponed.SetEnabled(true);
    PostponedTick();
}

// Each due action leaves the list before its dialog starts, so a dialog
// postponed again at once is a new entry.
void FormShutdown::PostponedTick() {
    const std::chrono::milliseconds now = clock_.Monotonic();
    std::vector<Postponed> due;
    std::erase_if(postponed_, [&](const Postponed& p) {
        if (p.due > now) return false;
        due.push_back(p);
        return true;
    });
    if (postponed_.empty()) {
        TimerPostponed.SetEnabled(false);
        if (!Timer1.Enabled()) RefreshSetup();
    } else if (!Timer1.Enabled()) {
        const ScheduleStatus next = Status();
        FrameOnTimeClose.SetCaption(kPostponedLabel + next.label + kRemainingLabel + FormatSeconds(next.secondsLeft));
    }
    // One that comes back long after its time (the computer slept) gets the
    // count of a missed moment at least: never an action seconds after waking.
    for (const Postponed& p : due) {
        const bool late = now - p.due > std::chrono::seconds{kMissedAfterSeconds};
        countdown_.DoTask(p.label, "", late ? std::max(p.countSeconds, kMissedCountdownSeconds) : p.countSeconds);
    }
    StatusChanged();
}

ScheduleStatus FormShutdown::ArmedOnly() const {
    // A damaged mode runs the timer but never fires: nothing is armed.
    if (!Timer1.Enabled() || !IsKnown(armed_.TimingMode)) return {};
    return {ScheduleStatus::State::Armed, ComboCloseTime.List(armed_.TaskIndex - 1), secondsLeft_, {}};
}

ScheduleStatus FormShutdown::ArmedStatus() const { return WithMoment(ArmedOnly()); }

ScheduleStatus FormShutdown::Status() const {
    ScheduleStatus status = ArmedOnly();
    for (const Postponed& p : postponed_) {
        const std::int64_t left = (std::max((p.due - clock_.Monotonic()).count(), std::int64_t{0}) + 999) / 1000;
        if (status.state == ScheduleStatus::State::Idle || left < status.secondsLeft)
            status = {ScheduleStatus::State::Postponed, p.label, left, {}};
    }
    return WithMoment(status);
}

ScheduleStatus FormShutdown::WithMoment(ScheduleStatus status) const {
    const std::int64_t at = clock_.UtcNow() + status.secondsLeft;
    if (status.state != ScheduleStatus::State::Idle) status.moment = AsText(FromSeconds(at + clock_.UtcOffsetAt(at)));
    return status;
}

void FormShutdown::StatusChanged() {
    if (onStatusChange) onStatusChange();
}

std::string FormShutdown::AsText(OleDate value) const { return ValueAsText(dateTimeText_, value); }

}  // namespace tavrin
