#pragma once
#include <chrono>
#include <cstdint>

namespace tavrin {

// Whole seconds since a start, as a display that ticks once a second sees
// them. Between two ticks the wall clock's seconds count, so each second is
// counted once wherever inside a second the start fell, and a late tick (a
// busy system, a wake from sleep) catches up at once. When the wall clock
// was set between two ticks, which the monotonic clock shows, only the time
// the monotonic clock measured counts; midnight is no change at all.
class ElapsedSeconds {
public:
    // Wall-clock readings are whole seconds since day zero.
    void Start(std::int64_t wallSeconds, std::chrono::milliseconds monotonic);
    void Tick(std::int64_t wallSeconds, std::chrono::milliseconds monotonic);
    std::int64_t Count() const { return count_; }

private:
    std::int64_t wall_ = 0;
    std::chrono::milliseconds monotonic_{0};
    std::int64_t count_ = 0;
};

}  // namespace tavrin
