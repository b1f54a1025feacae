#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ports/audio_endpoint.h"

namespace tavrin::testing {

// A playback device in memory: its channels' levels and its mute state. A
// channel off the line throws, failing the test.
class FakeAudioEndpoint final : public AudioEndpoint {
public:
    std::vector<std::int32_t> levels{0, 0};
    std::int32_t min = 0, max = 65535;
    bool muted = false, open = false;
    std::string failing;  // the one call made to fail, or "no device"
    int callsWhileClosed = 0;

    AudioStatus Open() override {
        if (failing == "no device") return AudioStatus::NoDevice;
        open = failing != "Open";
        return open ? AudioStatus::Ok : AudioStatus::Failed;
    }
    void Close() override { open = false; }
    AudioStatus ChannelCount(int& n) override { return Copy("ChannelCount", static_cast<int>(levels.size()), n); }
    AudioStatus LevelBounds(std::int32_t& lo, std::int32_t& hi) override {
        return Copy("LevelBounds", max, hi) == AudioStatus::Ok ? Copy("LevelBounds", min, lo) : AudioStatus::Failed;
    }
    AudioStatus GetLevel(int ch, std::int32_t& v) override { return Copy("GetLevel", levels.at(std::size_t(ch)), v); }
    AudioStatus SetLevel(int ch, std::int32_t v) override { return Copy("SetLevel", v, levels.at(std::size_t(ch))); }
    AudioStatus GetMute(bool& m) override { return Copy("GetMute", muted, m); }
    AudioStatus SetMute(bool m) override { return Copy("SetMute", m, muted); }

private:
    template <class T>
    AudioStatus Copy(const char* call, const T& from, T& to) {
        if (!open) ++callsWhileClosed;
        if (!open || failing == call) return AudioStatus::Failed;
        to = from;
        return AudioStatus::Ok;
    }
};

}  // namespace tavrin::testing
