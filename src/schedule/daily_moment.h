#pragma once
#include <cstdint>

namespace tavrin {

// Moments are whole seconds since day zero on the local wall clock; a time
// of day is seconds since midnight.

// Seconds from `now` to the next moment at `timeOfDay`; 0 when it is now.
std::int64_t SecondsToTimeOfDay(std::int64_t now, std::int64_t timeOfDay);

// True when the wall clock, going from `from` to `to`, passed a moment at
// `timeOfDay`, `from` itself excluded. A clock set back passes nothing.
bool PassesTimeOfDay(std::int64_t from, std::int64_t to, std::int64_t timeOfDay);

}  // namespace tavrin
