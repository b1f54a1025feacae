#pragma once
#include <cstdint>

namespace tavrin {

// When the schedule's task runs. Stored as its number; a damaged record may
// hold any other, which arms a timer that never fires.
enum class TimingMode : std::int16_t {
    DateAndTime = 1,
    Countdown = 2,
    EveryDay = 3,
};

}  // namespace tavrin
