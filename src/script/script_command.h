#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ole_date.h"
#include "schedule/scheduled_task.h"

namespace tavrin {

// How a run of the program from a script ends; scripts rely on the numbers.
enum class ScriptExit : int {
    Done = 0,
    NothingArmed = 1,  // /status found no task
    Malformed = 2,     // nothing was changed
    NotRunning = 3,    // /cancel or /status with no copy to ask
    NoAnswer = 4,      // the running copy took the command but never answered
};

// Longer is no command of ours, wherever it comes from.
inline constexpr std::size_t kLongestScriptCommand = 4096;

// A command from the command line: arm a task, cancel it, ask about it, or
// ask for help.
struct ScriptCommand {
    enum class Kind { Arm, Cancel, Status, Help };
    Kind kind = Kind::Help;
    std::int16_t taskIndex = 0;  // Arm: the schedule's list position
    TimingMode timingMode{};
    OleDate moment;      // mode 1: the local date and time
    OleDate timeOrSpan;  // mode 2: the span; mode 3: the time of day
    bool reminderGiven = false;
    std::int16_t reminderSeconds = -1;  // -1: no reminder
    bool save = false;

    // The stored task with what the command names put over it; the fields
    // of the other modes stay, as the pane keeps them.
    ScheduledTask Over(ScheduledTask stored) const;
};

struct ParsedScript {
    ScriptCommand command;
    std::string error;  // what could not be read, naming the part; empty when read
};

// True when the arguments are meant as a command: they start with one of its
// switches. Anything else keeps its old meaning.
bool IsScriptCommand(std::string_view arguments);

// Reads a command against the local time `now`: "/at 23:00" is today, or
// tomorrow once that has passed.
ParsedScript ParseScriptCommand(std::string_view arguments, OleDate now);

}  // namespace tavrin
