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
        if (!Usable(failChannelCount)) return AudioStatus::Failed;
        count = static_cast<int>(levels.size());
        return AudioStatus::Ok;
    }
    AudioStatus LevelBounds(std::int32_t& lo, std::int32_t& hi) override {
        if (!Usable(failBounds)) return AudioStatus::Failed;
        lo = min;
        hi = max;
        return AudioStatus::Ok;
    }
    AudioStatus GetLevel(int channel, std::int32_t& level) override {
        if (!Usable(failGetLevel) || !OnLine(channel)) return AudioStatus::Failed;
        level = levels[static_cast<std::size_t>(channel)];
        return AudioStatus::Ok;
    }
    AudioStatus SetLevel(int channel, std::int32_t level) override {
        if (!Usable() || !OnLine(channel) || level < min || level > max) return AudioStatus::Failed;
        levels[static_cast<std::size_t>(channel)] = level;
        ++levelWrites;
        return AudioStatus::Ok;
    }
    AudioStatus GetMute(bool& m) override {
        if (!Usable(failGetMute)) return AudioStatus::Failed;
        m = muted;
        return AudioStatus::Ok;
    }
    AudioStatus SetMute(bool m) override {
        if (!Usable()) return AudioStatus::Failed;
        muted = m;
        return AudioStatus::Ok;
    }

private:
    bool Usable(bool failing = false) {
        if (!open_) ++callsWhileClosed;
        return open_ && !failing;
    }
    bool OnLine(int channel) const { return channel >= 0 && static_cast<std::size_t>(channel) < levels.size(); }
    bool open_ = false;
};

}  // namespace tavrin::testing
