#include "schedule/elapsed_seconds.h"

namespace tavrin {

namespace {

// How far a reading of the monotonic clock may be off (Windows' tick count
// moves in steps of about 16 ms).
constexpr std::int64_t kReadingSlackMs = 50;

}  // namespace

void ElapsedSeconds::Start(std::int64_t wallSeconds, std::chrono::milliseconds monotonic) {
    wall_ = wallSeconds;
    monotonic_ = monotonic;
    count_ = 0;
}

void ElapsedSeconds::Tick(std::int64_t wallSeconds, std::chrono::milliseconds monotonic) {
    const std::int64_t wallStep = wallSeconds - wall_;
    const std::int64_t measuredMs = (monotonic - monotonic_).count();
    // In d milliseconds the wall clock passes more than d/1000 - 1 and fewer
    // than d/1000 + 1 second boundaries, unless someone set it.
    const std::int64_t gapMs = wallStep * 1000 - measuredMs;
    const bool wallClockWasSet = wallStep < 0 || gapMs > 1000 + kReadingSlackMs || gapMs < -1000 - kReadingSlackMs;
    count_ += wallClockWasSet ? (measuredMs + 500) / 1000 : wallStep;
    wall_ = wallSeconds;
    monotonic_ = monotonic;
}

}  // namespace tavrin
