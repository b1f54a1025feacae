#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace tavrin {

class Clock;
class CountdownLauncher;
class FormShutdown;
class SetupStore;

// The running copy's side of a command: carries out what another start of
// the program handed over, on the schedule the user sees. The request comes
// from another process and is read as untrusted.
class ScriptHost {
public:
    ScriptHost(FormShutdown& schedule, CountdownLauncher& countdowns, SetupStore& store, const Clock& clock);
    // The encoded reply.
    std::string Handle(std::string_view request);

    // Told after a command armed a task.
    std::function<void()> onArmed;

private:
    std::string Status() const;
    std::string Cancel();

    FormShutdown& schedule_;
    CountdownLauncher& countdowns_;
    SetupStore& store_;
    const Clock& clock_;
};

}  // namespace tavrin
