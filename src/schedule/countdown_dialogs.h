#pragma once
#include <functional>
#include <memory>
#include <vector>

#include "schedule/countdown_launcher.h"

namespace tavrin {

class FormCount30;
class FormView;
class ModuleShutDown;
class Postponer;

// Creates a new countdown dialog for every DoTask and keeps it until it is
// closed. A closed dialog is released later, at the next DoTask or through
// ReleaseClosed, never from inside one of its own handlers.
class CountdownDialogs final : public CountdownLauncher {
public:
    // Gives each new dialog its window before DoTask runs; the view returned
    // (may be null) lives exactly as long as its dialog and goes first.
    using ViewFactory = std::function<std::unique_ptr<FormView>(FormCount30&)>;

    explicit CountdownDialogs(ModuleShutDown& shutDown, ViewFactory makeView = {});
    ~CountdownDialogs() override;
    CountdownDialogs(const CountdownDialogs&) = delete;
    CountdownDialogs& operator=(const CountdownDialogs&) = delete;

    void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) override;
    void DoKeyTask(const ActionLabel& label, std::int16_t seconds) override;
    std::vector<PendingCountdown> Pending() const override;
    bool CancelAll() override;
    // Dialogs started from now on can put their action off there.
    void SetPostponer(Postponer* postponer) { postponer_ = postponer; }

    // For a deferred call from the event loop (a posted message): lets the
    // closed dialogs go. Must not be called from a dialog's own handler.
    void ReleaseClosed();
    // Dialogs still held, counting, waiting, or closed but not yet released.
    std::size_t Held() const { return dialogs_.size(); }

private:
    struct Entry;
    void Start(const ActionLabel& label, const std::string& fileName, std::int16_t count);
    ModuleShutDown& shutDown_;
    ViewFactory makeView_;
    Postponer* postponer_ = nullptr;
    std::vector<std::unique_ptr<Entry>> dialogs_;
};

}  // namespace tavrin
