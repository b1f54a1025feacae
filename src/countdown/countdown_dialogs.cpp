#include "countdown/countdown_dialogs.h"

#include <algorithm>
#include <utility>

#include "countdown/form_count30.h"

namespace tavrin {

// Members go in reverse order: the view before its dialog.
struct CountdownDialogs::Entry {
    Entry(PowerActionRunner& actions, Postponer* postponer) : dialog(actions, postponer) {}
    FormCount30 dialog;
    std::unique_ptr<FormView> view;
};

CountdownDialogs::CountdownDialogs(PowerActionRunner& actions, ViewFactory makeView)
    : actions_(actions), makeView_(std::move(makeView)) {}

CountdownDialogs::~CountdownDialogs() = default;

void CountdownDialogs::DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr,
                              std::int16_t CountTime30) {
    Start(TaskNameSTR, FileNameStr, CountTime30);
}

// A held key repeats, and a user who does not see the dialog presses again:
// neither may leave a second countdown of the same action behind the one they
// cancel, whoever started that one (a key, the schedule, a postponement).
void CountdownDialogs::DoKeyTask(const ActionLabel& label, std::int16_t seconds) {
    for (const auto& entry : dialogs_) {
        if (entry->dialog.Loaded() && entry->dialog.TaskName == label) {
            if (entry->dialog.Visible()) entry->dialog.BringForward();  // hidden while inside its action
            return;
        }
    }
    Start(label, "", seconds);
}

std::vector<PendingCountdown> CountdownDialogs::Pending() const {
    std::vector<PendingCountdown> pending;
    for (const auto& entry : dialogs_)
        if (entry->dialog.Counting()) pending.push_back({entry->dialog.TaskName, entry->dialog.CountTime});
    return pending;
}

bool CountdownDialogs::CancelAll() {
    bool any = false;
    for (const auto& entry : dialogs_) {
        if (!entry->dialog.Counting()) continue;
        entry->dialog.Command2_Click();
        any = true;
    }
    return any;
}

void CountdownDialogs::Start(const ActionLabel& label, const std::string& fileName, std::int16_t count) {
    ReleaseClosed();
    // Held before DoTask runs: a dialog's action may reach this launcher again
    // (a hotkey handled while its message box is up), and the vector may grow.
    dialogs_.push_back(std::make_unique<Entry>(actions_, postponer_));
    FormCount30& dialog = dialogs_.back()->dialog;
    if (makeView_) dialogs_.back()->view = makeView_(dialog);
    dialog.DoTask(label, fileName, count);
}

void CountdownDialogs::ReleaseClosed() {
    std::erase_if(dialogs_, [](const std::unique_ptr<Entry>& e) { return e->dialog.Closed(); });
}

}  // namespace tavrin
