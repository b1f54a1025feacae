#pragma once
#include <optional>

namespace tavrin {

class Application;
class Clock;
class Console;
class MessageBoxPort;
class RunningCopy;

struct ScriptClientPorts {
    Application& app;
    RunningCopy& runningCopy;
    Console& console;
    MessageBoxPort& messageBox;
    const Clock& clock;
};

// A start of the program from a script: hands the command to the running
// copy, first starting one hidden when the command arms a task, and answers
// in the console it came from, or in a message box for help and failures.
// The exit code; nothing when the arguments are no command.
std::optional<int> RunScriptCommand(ScriptClientPorts ports);

}  // namespace tavrin
