#pragma once
#include <cstdint>

namespace tavrin {

enum class AudioStatus { Ok, NoDevice, Failed };

// The master level and mute of the system's default playback device, opened
// for one action and closed after it. Every call on a closed endpoint fails
// and changes nothing.
class AudioEndpoint {
public:
    virtual ~AudioEndpoint() = default;

    // NoDevice when the system has no playback device. Opening an open
    // endpoint starts afresh on the device that is the default now.
    [[nodiscard]] virtual AudioStatus Open() = 0;
    virtual void Close() = 0;

    [[nodiscard]] virtual AudioStatus ChannelCount(int& count) = 0;
    // Every channel's level lies within these bounds (0 and 65535 on Windows).
    [[nodiscard]] virtual AudioStatus LevelBounds(std::int32_t& min, std::int32_t& max) = 0;
    // Channels count from 0. A channel the line does not have, or a level
    // outside the bounds, fails and changes nothing.
    [[nodiscard]] virtual AudioStatus GetLevel(int channel, std::int32_t& level) = 0;
    [[nodiscard]] virtual AudioStatus SetLevel(int channel, std::int32_t level) = 0;

    [[nodiscard]] virtual AudioStatus GetMute(bool& muted) = 0;
    [[nodiscard]] virtual AudioStatus SetMute(bool muted) = 0;
};

}  // namespace tavrin
