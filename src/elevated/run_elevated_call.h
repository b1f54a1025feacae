#pragma once
#include <optional>
#include <string_view>

namespace tavrin {

class Application;
class Clock;
class ClockSetter;
class Elevation;
class LogonTask;
class Registry;

struct ElevatedCallPorts {
    Registry& registry;
    ClockSetter& clockSetter;
    const Clock& clock;
    LogonTask& task;
    const Application& app;
    Elevation& elevation;
};

// The whole life of an elevated copy: the one operation on its command line,
// nothing else (no window, no settings, no single-copy rule), the report
// sent back to the caller. Returns its exit code, an ElevatedExit; nothing
// when the arguments are not an elevated call.
std::optional<int> RunIfElevatedCall(std::string_view arguments, ElevatedCallPorts ports);

}  // namespace tavrin
