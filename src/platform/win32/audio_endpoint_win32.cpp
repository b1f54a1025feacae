#include "platform/win32/audio_endpoint_win32.h"

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "platform/win32/com_apartment.h"

namespace tavrin::win32 {

using Microsoft::WRL::ComPtr;

namespace {

AudioStatus Status(HRESULT result) { return SUCCEEDED(result) ? AudioStatus::Ok : AudioStatus::Failed; }

}  // namespace

// Members are destroyed in reverse order: the interface goes before COM does.
struct Win32AudioEndpoint::Session {
    ComApartment com;
    ComPtr<IAudioEndpointVolume> volume;
};

HRESULT ActivateDefaultPlaybackVolume(IAudioEndpointVolume** volume) {
    ComPtr<IMMDeviceEnumerator> enumerator;
    HRESULT hr =
        CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&enumerator));
    if (FAILED(hr)) return hr;
    ComPtr<IMMDevice> device;
    hr = enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device);
    if (FAILED(hr)) return hr;
    return device->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_INPROC_SERVER, nullptr,
                            reinterpret_cast<void**>(volume));
}

Win32AudioEndpoint::Win32AudioEndpoint() : Win32AudioEndpoint(ActivateDefaultPlaybackVolume) {}

Win32AudioEndpoint::Win32AudioEndpoint(Activator activate) : activate_(std::move(activate)) {}

Win32AudioEndpoint::~Win32AudioEndpoint() = default;

AudioStatus Win32AudioEndpoint::Open() {
    Close();
    auto session = std::make_unique<Session>();
    if (!session->com.Usable()) return AudioStatus::Failed;
    const HRESULT hr = activate_(session->volume.ReleaseAndGetAddressOf());
    // What Windows answers when no playback device is plugged in or enabled.
    if (hr == HRESULT_FROM_WIN32(ERROR_NOT_FOUND)) return AudioStatus::NoDevice;
    if (FAILED(hr) || !session->volume) return AudioStatus::Failed;
    session_ = std::move(session);
    return AudioStatus::Ok;
}

void Win32AudioEndpoint::Close() { session_.reset(); }

AudioStatus Win32AudioEndpoint::ChannelCount(int& count) {
    if (!session_) return AudioStatus::Failed;
    UINT channels = 0;
    const HRESULT hr = session_->volume->GetChannelCount(&channels);
    if (FAILED(hr)) return AudioStatus::Failed;
    count = static_cast<int>(std::min<UINT>(channels, INT_MAX));
    return AudioStatus::Ok;
}

AudioStatus Win32AudioEndpoint::LevelBounds(std::int32_t& min, std::int32_t& max) {
    if (!session_) return AudioStatus::Failed;
    min = 0;
    max = kMaxLevel;
    return AudioStatus::Ok;
}

AudioStatus Win32AudioEndpoint::GetLevel(int channel, std::int32_t& level) {
    if (!session_ || channel < 0) return AudioStatus::Failed;
    float scalar = 0.0f;
    if (FAILED(session_->volume->GetChannelVolumeLevelScalar(static_cast<UINT>(channel), &scalar)) ||
        !std::isfinite(scalar))
        return AudioStatus::Failed;
    level = static_cast<std::int32_t>(std::lround(std::clamp(scalar, 0.0f, 1.0f) * double{kMaxLevel}));
    return AudioStatus::Ok;
}

AudioStatus Win32AudioEndpoint::SetLevel(int channel, std::int32_t level) {
    if (!session_ || channel < 0 || level < 0 || level > kMaxLevel) return AudioStatus::Failed;
    const float scalar = static_cast<float>(static_cast<double>(level) / kMaxLevel);
    return Status(session_->volume->SetChannelVolumeLevelScalar(static_cast<UINT>(channel), scalar, nullptr));
}

AudioStatus Win32AudioEndpoint::GetMute(bool& muted) {
    if (!session_) return AudioStatus::Failed;
    BOOL value = FALSE;
    if (FAILED(session_->volume->GetMute(&value))) return AudioStatus::Failed;
    muted = value != FALSE;
    return AudioStatus::Ok;
}

AudioStatus Win32AudioEndpoint::SetMute(bool muted) {
    if (!session_) return AudioStatus::Failed;
    return Status(session_->volume->SetMute(muted ? TRUE : FALSE, nullptr));
}

}  // namespace tavrin::win32
