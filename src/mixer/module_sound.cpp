#include "mixer/module_sound.h"

#include <algorithm>
#include <cmath>

#include "ports/audio_endpoint.h"

namespace tavrin {

std::int32_t ModuleSound::VolumeStep(std::int32_t min, std::int32_t max) {
    const double tenth = (static_cast<double>(max) - static_cast<double>(min)) / 10.0;
    // Spelled out rather than left to the floating-point rounding mode.
    double whole = std::floor(tenth);
    const double rest = tenth - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return static_cast<std::int32_t>(whole);
}

bool ModuleSound::OpenVolumeControl() {
    CloseMixer();
    if (endpoint_.Open() != AudioStatus::Ok) return false;
    open_ = true;
    int channels = 0;
    std::int32_t min = 0, max = 0;
    if (endpoint_.ChannelCount(channels) != AudioStatus::Ok || channels <= 0) return false;
    if (endpoint_.LevelBounds(min, max) != AudioStatus::Ok || min > max) return false;
    lineChannels_ = channels;
    volumeMin_ = min;
    volumeMax_ = max;
    return true;
}

bool ModuleSound::OpenMuteControl() {
    CloseMixer();
    if (endpoint_.Open() != AudioStatus::Ok) return false;
    open_ = true;
    return true;
}

bool ModuleSound::CloseMixer() {
    if (open_) endpoint_.Close();
    open_ = false;
    return true;
}

std::int32_t ModuleSound::GetVolumeMax() const { return open_ ? volumeMax_ : -1; }

std::int32_t ModuleSound::GetVolumeMin() const { return open_ ? volumeMin_ : -1; }

bool ModuleSound::GetVolumes(std::vector<std::int32_t>& levels) {
    if (!open_ || lineChannels_ <= 0) return false;
    std::vector<std::int32_t> read(static_cast<std::size_t>(lineChannels_));
    for (int channel = 0; channel < lineChannels_; ++channel)
        if (endpoint_.GetLevel(channel, read[static_cast<std::size_t>(channel)]) != AudioStatus::Ok) return false;
    levels = std::move(read);
    return true;
}

bool ModuleSound::SetVolumes(const std::vector<std::int32_t>& levels) {
    if (!open_ || lineChannels_ <= 0 || levels.size() != static_cast<std::size_t>(lineChannels_)) return false;
    bool all = true;
    for (int channel = 0; channel < lineChannels_; ++channel)
        all = endpoint_.SetLevel(channel, levels[static_cast<std::size_t>(channel)]) == AudioStatus::Ok && all;
    return all;
}

bool ModuleSound::ReadMute(bool& muted) { return open_ && endpoint_.GetMute(muted) == AudioStatus::Ok; }

bool ModuleSound::GetMute(bool& muted) {
    bool read = false;
    if (!ReadMute(read)) return false;
    muted = read;
    return read;
}

bool ModuleSound::SetMute(bool on) { return open_ && endpoint_.SetMute(on) == AudioStatus::Ok; }

void ModuleSound::StepVolume(bool up) {
    std::vector<std::int32_t> levels;
    if (OpenVolumeControl() && GetVolumes(levels)) {
        const std::int64_t step = up ? VolumeStep(volumeMin_, volumeMax_) : -VolumeStep(volumeMin_, volumeMax_);
        // Each channel moves by the same step and stops at a bound on its own,
        // so the balance holds until one of them gets there.
        for (std::int32_t& level : levels)
            level = static_cast<std::int32_t>(std::clamp<std::int64_t>(level + step, volumeMin_, volumeMax_));
        (void)SetVolumes(levels);
    }
    CloseMixer();
}

void ModuleSound::VolumeDown() { StepVolume(false); }

void ModuleSound::VolumeUp() { StepVolume(true); }

void ModuleSound::ToggleMute() {
    bool muted = false;
    if (OpenMuteControl() && ReadMute(muted)) (void)SetMute(!muted);
    CloseMixer();
}

}  // namespace tavrin
