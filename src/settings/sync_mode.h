#pragma once
#include <cstdint>

namespace tavrin {

// How the clock is kept right, stored as its int16 value. A damaged stored
// value stays as it is and counts as none of these.
enum class SyncMode : std::int16_t {
    StartUpAndHourly = 1,
    StartUp = 2,
    Manual = 3,
};

}  // namespace tavrin
