#pragma once
#include <optional>
#include <string>

#include "ports/elevation.h"

namespace tavrin {

// How far a run of the elevated copy got, as the platform saw it.
struct CopyRun {
    enum class Stage {
        NotStarted,    // Windows started nothing; `systemReason` says why
        Declined,      // the user said no
        NotConnected,  // started, but never took the request
        Handed,        // took the request, then did not end in time
        Ended,         // ended with `exitCode`, having sent `report` or not
    };
    Stage stage = Stage::NotStarted;
    std::string systemReason;
    int exitCode = 0;
    std::optional<std::string> report;
};

// What the user is told. A copy that may have written counts as done only
// when it says so: a lost answer is never read as success.
ElevatedResult ElevatedResultOf(const CopyRun& run);

}  // namespace tavrin
