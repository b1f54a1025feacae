#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "ports/audio_endpoint.h"

struct IAudioEndpointVolume;

namespace tavrin::win32 {

// The master controls of the default playback device through Core Audio.
// The legacy mixer would reach only this program's own audio session.
// Each channel's level, a scalar from 0 to 1 there, is shown on 0..65535.
class Win32AudioEndpoint final : public AudioEndpoint {
public:
    // How the master controls are reached: the default playback device, or
    // a stand-in a test hands over.
    using Activator = std::function<HRESULT(IAudioEndpointVolume** volume)>;
    Win32AudioEndpoint();
    explicit Win32AudioEndpoint(Activator activate);
    ~Win32AudioEndpoint() override;
    Win32AudioEndpoint(const Win32AudioEndpoint&) = delete;
    Win32AudioEndpoint& operator=(const Win32AudioEndpoint&) = delete;

    AudioStatus Open() override;
    void Close() override;
    AudioStatus ChannelCount(int& count) override;
    AudioStatus LevelBounds(std::int32_t& min, std::int32_t& max) override;
    AudioStatus GetLevel(int channel, std::int32_t& level) override;
    AudioStatus SetLevel(int channel, std::int32_t level) override;
    AudioStatus GetMute(bool& muted) override;
    AudioStatus SetMute(bool muted) override;

    static constexpr std::int32_t kMaxLevel = 65535;

private:
    struct Session;
    Activator activate_;
    std::unique_ptr<Session> session_;
};

// The master volume of the system's default playback device.
HRESULT ActivateDefaultPlaybackVolume(IAudioEndpointVolume** volume);

}  // namespace tavrin::win32
