#include "countdown/form_count30.h"

#include <algorithm>
#include <limits>

#include "common/identity.h"
#include "countdown/postponer.h"
#include "power/power_action_runner.h"

namespace tavrin {

namespace {

// Shown as one empty line between the message and the count.
constexpr std::string_view kReminderGap = "\r\n\r\n";

std::string TaskText(const ActionLabel& taskName, std::int16_t count) {
    return "系统将在" + std::to_string(count) + "秒后" + taskName + "！";
}

std::string ReminderText(const std::string& message, std::int16_t count) {
    return message + std::string(kReminderGap) + "系统将在" + std::to_string(count) + "秒后结束提醒";
}

}  // namespace

// It may appear while the user types into another program: it stays in
// sight, and the focus and Esc lead to "取消", so a stray key can only cancel.
FormCount30::FormCount30(PowerActionRunner& actions, Postponer* postponer)
    : Form(std::string(kAppTitle)), actions_(actions), postponer_(postponer) {
    SetOnTop(true);
    Command2.Cancel = true;
    Command1.onClick = [this] { RunNow(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Timer1.onTick = [this] { CountdownTick(); };
}

void FormCount30::DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) {
    TaskName = TaskNameSTR;
    filename = FileNameStr;
    CountTime = startCount_ = CountTime30;
    Command3.SetVisible(!IsReminder() && postponer_ != nullptr);
    if (!IsReminder() && CountTime == 0) {
        RunNow();
        return;
    }
    Show();  // loads, shows modeless, brings it to the foreground
    Command2.SetFocus();
}

void FormCount30::BringForward() {
    SetFocus();
    Command2.SetFocus();
}

void FormCount30::OnLoad() {
    SetCaption(std::string(kAppTitle) + std::string(kFullWidthDash) + TaskName);
    Center();
    if (IsReminder() && CountTime == 0) {
        Label1.SetCaption(filename);
        Command1.SetCaption("确定");
        Timer1.SetEnabled(false);
        return;
    }
    Timer1.SetInterval(1000);
    Timer1.SetEnabled(true);
    ShowCountTexts();
}

void FormCount30::ShowCountTexts() {
    if (IsReminder()) {
        Label1.SetCaption(ReminderText(filename, CountTime));
        Command1.SetCaption("确定");
    } else {
        Label1.SetCaption(TaskText(TaskName, CountTime));
        Command1.SetCaption("立即" + TaskName);
    }
}

// The count stops at the smallest 16-bit value instead of wrapping round to
// the largest, so even that count ends at this tick.
void FormCount30::CountdownTick() {
    CountTime = static_cast<std::int16_t>(std::max<int>(CountTime - 1, std::numeric_limits<std::int16_t>::min()));
    ShowCountTexts();
    if (CountTime <= 0) RunNow();
}

// The timer stops before the action, so a message box inside the action sees
// no further ticks, and the dialog goes out of sight, so it cannot stay on top
// of that box; a second RunNow while the first is still inside the action (a
// click that got through meanwhile) runs nothing.
void FormCount30::RunNow() {
    if (running_ || closed_) return;
    running_ = true;
    Timer1.SetEnabled(false);
    Hide();
    RunAction();
    Unload();
    closed_ = true;
    running_ = false;
}

void FormCount30::RunAction() {
    if (TaskName == labels::kMonitorOff) {
        actions_.MonitorOff();
        return;
    }
    actions_.RunPowerAction(TaskName);  // the six of the schedule list; anything else runs nothing
}

void FormCount30::Command2_Click() { Unload(); }

// Closed first, so the dialog that brings the action back is a new one.
void FormCount30::Command3_Click() {
    if (running_ || Closed() || postponer_ == nullptr) return;  // a click that got through the action
    Unload();
    postponer_->Postpone(TaskName, startCount_);
}

void FormCount30::OnUnload() { closed_ = true; }

}  // namespace tavrin
