#pragma once
#include <cstdint>
#include <vector>

#include "ports/audio_endpoint.h"

namespace tavrin::testing {

// A playback device in memory: its channels' levels and its mute state. Each
// kind of call can be made to fail; every change is counted.
class FakeAudioEndpoint final : public AudioEndpoint {
public:
    bool present = true;  // false: the system has no playback device
    std::vector<std::int32_t> levels{0, 0};
    std::int32_t min = 0, max = 65535;
    bool muted = false;

    bool failOpen = false, failChannelCount = false, failBounds = false;
    bool failGetLevel = false, failGetMute = false;

    int opens = 0, closes = 0;
    int levelWrites = 0;
    int callsWhileClosed = 0;
    bool IsOpen() const { return open_; }

    AudioStatus Open() override {
        ++opens;
        if (!present) return AudioStatus::NoDevice;
        if (failOpen) return AudioStatus::Failed;
        open_ = true;
        return AudioStatus::Ok;
    }
    void Close() override {
        if (open_) ++closes;
        open_ = false;
    }
    AudioStatus ChannelCount(int& count) override {
        return Answer(failChannelCount, [&] { count = static_cast<int>(levels.size()); });
    }
    AudioStatus LevelBounds(std::int32_t& lo, std::int32_t& hi) override {
        return Answer(failBounds, [&] { lo = min, hi = max; });
    }
    AudioStatus GetLevel(int channel, std::int32_t& level) override {
        return Answer(failGetLevel || !OnLine(channel), [&] { level = levels[static_cast<std::size_t>(channel)]; });
    }
    AudioStatus SetLevel(int channel, std::int32_t level) override {
        return Answer(!OnLine(channel) || level < min || level > max, [&] {
            levels[static_cast<std::size_t>(channel)] = level;
            ++levelWrites;
        });
    }
    AudioStatus GetMute(bool& m) override {
        return Answer(failGetMute, [&] { m = muted; });
    }
    AudioStatus SetMute(bool m) override {
        return Answer(false, [&] { muted = m; });
    }

private:
    // Acts only on an open device and when the call is not made to fail.
    template <class Act>
    AudioStatus Answer(bool failing, Act act) {
        if (!open_) ++callsWhileClosed;
        if (!open_ || failing) return AudioStatus::Failed;
        act();
        return AudioStatus::Ok;
    }
    bool OnLine(int channel) const { return channel >= 0 && static_cast<std::size_t>(channel) < levels.size(); }
    bool open_ = false;
};

}  // namespace tavrin::testing
