#pragma once
#include <cstdint>
#include <vector>

namespace tavrin {

class AudioEndpoint;

// Master volume and mute of the default playback device. Each action opens
// the device, acts and closes it again; nothing is kept between actions but
// the figures of the latest lookup.
class ModuleSound {
public:
    explicit ModuleSound(AudioEndpoint& endpoint) : endpoint_(endpoint) {}

    // The actions of the volume keys. A device that cannot be opened, a
    // lookup or a read that fails ends the action without changing anything.
    void VolumeDown();
    void VolumeUp();
    void ToggleMute();

    // The steps the actions are made of.
    bool OpenVolumeControl();  // channel count and level bounds
    bool OpenMuteControl();
    bool CloseMixer();
    std::int32_t GetVolumeMax() const;  // -1 with nothing open
    std::int32_t GetVolumeMin() const;
    // Every channel of the line, in order.
    bool GetVolumes(std::vector<std::int32_t>& levels);
    bool SetVolumes(const std::vector<std::int32_t>& levels);
    // Returns the mute state itself and also writes it to muted; false
    // without touching muted when nothing is open or the read fails.
    bool GetMute(bool& muted);
    bool SetMute(bool on);

    // A tenth of the range, to the nearest whole number, halves to even.
    static std::int32_t VolumeStep(std::int32_t min, std::int32_t max);

private:
    bool ReadMute(bool& muted);
    void StepVolume(bool up);

    AudioEndpoint& endpoint_;
    bool open_ = false;
    int lineChannels_ = 0;
    std::int32_t volumeMin_ = 0;
    std::int32_t volumeMax_ = 0;
};

}  // namespace tavrin
