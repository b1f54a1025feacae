#pragma once
#include <cstdint>
#include <string>

#include "power/action_label.h"
#include "toolkit/controls.h"
#include "toolkit/form.h"

namespace tavrin {

class PowerActionRunner;
class Postponer;

// The countdown before an action, or a plain reminder when TaskName is
// "提醒". A top-level dialog used once: started by one DoTask, then closed by
// running the action, by cancel, by its frame, or by putting the action off.
class FormCount30 : public Form {
public:
    // Without a postponer the action cannot be put off.
    explicit FormCount30(PowerActionRunner& actions, Postponer* postponer = nullptr);

    ActionLabel TaskName;
    std::string filename;  // the reminder's message
    std::int16_t CountTime = 0;

    void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30);
    // To the front again, the focus on "取消".
    void BringForward();
    void CountdownTick();
    void RunNow();
    void Command2_Click();
    void Command3_Click();

    bool IsReminder() const { return TaskName == labels::kRemind; }
    // Counting towards its action: shown, not yet inside it, not closed.
    bool Counting() const { return Loaded() && !IsReminder() && !running_ && !closed_; }
    // True once the dialog has run its action or been closed and none of its
    // handlers is still running; it is never used again.
    bool Closed() const { return closed_ && !running_; }

    Label Label1;
    CommandButton Command1;
    CommandButton Command2{"取消"};
    CommandButton Command3{"推迟10分钟"};  // the task mode's only
    Timer Timer1{*this, 1000};

protected:
    void OnLoad() override;
    void OnUnload() override;

private:
    void ShowCountTexts();
    void RunAction();

    PowerActionRunner& actions_;
    Postponer* postponer_;
    std::int16_t startCount_ = 0;  // what the action comes back with
    bool running_ = false;
    bool closed_ = false;
};

}  // namespace tavrin
