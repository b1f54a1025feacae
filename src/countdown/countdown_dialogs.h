#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "countdown/countdown_launcher.h"

namespace tavrin {

class FormCount30;
class FormView;
class PowerActionRunner;
class Postponer;

// Creates a new countdown dialog for every DoTask and keeps it until it is
// closed. A closed dialog is released at the next DoTask, never from inside
// one of its own handlers.
class CountdownDialogs final : public CountdownLauncher {
public:
    // Gives each new dialog its window before DoTask runs; the view returned
    // (may be null) lives exactly as long as its dialog and goes first.
    using ViewFactory = std::function<std::unique_ptr<FormView>(FormCount30&)>;

    explicit CountdownDialogs(PowerActionRunner& actions, ViewFactory makeView = {});
    ~CountdownDialogs() override;
    CountdownDialogs(const CountdownDialogs&) = delete;
    CountdownDialogs& operator=(const CountdownDialogs&) = delete;

    void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) override;
    void DoKeyTask(const ActionLabel& label, std::int16_t seconds) override;
    std::vector<PendingCountdown> Pending() const override;
    bool CancelAll() override;
    // Dialogs started from now on can put their action off there.
    void SetPostponer(Postponer* postponer) { postponer_ = postponer; }

private:
    struct Entry;
    // Lets the closed dialogs go; never from inside a dialog's own handler.
    void ReleaseClosed();
    void Start(const ActionLabel& label, const std::string& fileName, std::int16_t count);
    PowerActionRunner& actions_;
    ViewFactory makeView_;
    Postponer* postponer_ = nullptr;
    std::vector<std::unique_ptr<Entry>> dialogs_;
};

}  // namespace tavrin
