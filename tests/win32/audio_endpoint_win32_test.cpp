#include "platform/win32/audio_endpoint_win32.h"

#include <windows.h>
#include <endpointvolume.h>
#include <gtest/gtest.h>

#include <cwchar>
#include <tuple>
#include <vector>

#include "mixer/module_sound.h"

namespace tavrin::win32 {
namespace {

// A device's master controls in memory, reached through the same COM
// interface as a real one. Each call can be made to fail.
class FakeEndpointVolume final : public IAudioEndpointVolume {
public:
    std::vector<float> channels{0.0f, 0.0f};
    BOOL muted = FALSE;
    HRESULT failure = S_OK;  // answered by every call when set
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid != __uuidof(IUnknown) && iid != __uuidof(IAudioEndpointVolume)) return *out = nullptr, E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }  // the test owns the object

    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT* count) override {
        if (FAILED(failure)) return failure;
        *count = static_cast<UINT>(channels.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT channel, FLOAT* level) override {
        if (FAILED(failure)) return failure;
        if (channel >= channels.size()) return E_INVALIDARG;
        *level = channels[channel];
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT channel, FLOAT level, LPCGUID) override {
        if (FAILED(failure)) return failure;
        if (channel >= channels.size() || level < 0.0f || level > 1.0f) return E_INVALIDARG;
        channels[channel] = level;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMute(WINBOOL* mute) override {
        if (FAILED(failure)) return failure;
        *mute = muted;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMute(WINBOOL mute, LPCGUID) override {
        if (FAILED(failure)) return failure;
        const bool same = (mute != FALSE) == (muted != FALSE);
        muted = mute;
        return same ? S_FALSE : S_OK;
    }

    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT*, UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT*, FLOAT*, FLOAT*) override { return E_NOTIMPL; }
};

class AudioEndpointAdapter : public ::testing::Test {
protected:
    FakeEndpointVolume device;
    HRESULT activation = S_OK;
    Win32AudioEndpoint endpoint{[this](IAudioEndpointVolume** volume) {
        if (FAILED(activation)) return activation;
        device.AddRef();
        *volume = &device;
        return S_OK;
    }};
};

// Levels are shown on 0..65535 and round-trip, the ends too; what is out of
// range is refused; the volume keys step the device and let go of it.
TEST_F(AudioEndpointAdapter, LevelsRoundTripOn0To65535AndTheKeysLetGoOfTheDevice) {
    device.channels = {0.0f, 1.0f, 0.5f, 0.1f};
    ASSERT_EQ(endpoint.Open(), AudioStatus::Ok);
    int count = 0;
    std::int32_t min = -1, max = -1, level = -1;
    EXPECT_EQ(endpoint.ChannelCount(count), AudioStatus::Ok);
    EXPECT_EQ(endpoint.LevelBounds(min, max), AudioStatus::Ok);
    EXPECT_EQ(std::tuple(count, min, max), std::tuple(4, 0, 65535));
    std::vector<std::int32_t> levels(4);
    for (int channel = 0; channel < 4; ++channel) (void)endpoint.GetLevel(channel, levels[channel]);
    EXPECT_EQ(levels, (std::vector<std::int32_t>{0, 65535, 32768, 6554}));
    for (std::int32_t set = 0; set <= 65535; ++set) {
        ASSERT_EQ(endpoint.SetLevel(1, set), AudioStatus::Ok);
        ASSERT_EQ(endpoint.GetLevel(1, level), AudioStatus::Ok);
        ASSERT_EQ(level, set) << "case: level " << set;
    }
    for (const auto& [channel, value] : {std::pair(0, -1), std::pair(0, 65536), std::pair(-1, 100), std::pair(4, 100)})
        EXPECT_EQ(endpoint.SetLevel(channel, value), AudioStatus::Failed) << "case: " << channel << ", " << value;
    EXPECT_EQ(endpoint.GetLevel(4, level), AudioStatus::Failed);
    endpoint.Close();

    device.channels = {0.0f, 0.95f};
    ModuleSound sound(endpoint);
    sound.VolumeUp();
    sound.ToggleMute();
    EXPECT_FLOAT_EQ(device.channels[0] * 65535.0f, 6554.0f);
    EXPECT_EQ(std::tuple(device.channels[1], device.muted, device.references), std::tuple(1.0f, TRUE, 1u));
}

// A missing device is told from a refused one; a device that refuses a call
// is left as it was.
TEST_F(AudioEndpointAdapter, FailuresAreStatusesAndChangeNothing) {
    for (const auto& [result, status] : {std::pair(HRESULT_FROM_WIN32(ERROR_NOT_FOUND), AudioStatus::NoDevice),
                                         std::pair(E_ACCESSDENIED, AudioStatus::Failed)}) {
        activation = result;
        EXPECT_EQ(endpoint.Open(), status) << "case: " << std::hex << result;
        bool muted = false;
        EXPECT_EQ(endpoint.GetMute(muted), AudioStatus::Failed);
    }
    activation = S_OK;
    device.channels = {0.5f, 0.5f};
    device.failure = E_NOTIMPL;  // as Wine answers for channel levels
    ModuleSound sound(endpoint);
    sound.VolumeUp();
    sound.ToggleMute();
    EXPECT_EQ(std::tuple(device.channels, device.muted, device.references),
              std::tuple(std::vector<float>{0.5f, 0.5f}, FALSE, 1u));
}

// The apartment is joined for an opening and left again, unless the thread
// had joined one of its own before.
TEST_F(AudioEndpointAdapter, COMIsUndoneOnlyWhereTheOpeningDidIt) {
    ASSERT_EQ(endpoint.Open(), AudioStatus::Ok);
    endpoint.Close();
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);  // not initialised any more
    CoUninitialize();
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    EXPECT_EQ(endpoint.Open(), AudioStatus::Ok);
    endpoint.Close();
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);  // still the thread's own
    CoUninitialize();
    CoUninitialize();
}

// These need the sound set-up their own ctest entries give Wine: ALSA's
// null device, or no device at all.
bool AudioDeviceIs(const wchar_t* device) {
    wchar_t value[16] = {};
    return GetEnvironmentVariableW(L"TAVRIN_AUDIO_DEVICE", value, 16) > 0 && wcscmp(value, device) == 0;
}

TEST(NullAudioDevice, TheDefaultDeviceOpensAndItsMuteReadsBackUntilClosed) {
    if (!AudioDeviceIs(L"null")) GTEST_SKIP() << "runs in the ctest entry with ALSA's null device";
    Win32AudioEndpoint endpoint;
    ASSERT_EQ(endpoint.Open(), AudioStatus::Ok);
    bool before = false, after = false;
    ASSERT_EQ(endpoint.GetMute(before), AudioStatus::Ok);
    EXPECT_EQ(endpoint.SetMute(!before), AudioStatus::Ok);
    EXPECT_EQ(endpoint.GetMute(after), AudioStatus::Ok);
    EXPECT_EQ(after, !before);
    endpoint.Close();
    EXPECT_EQ(endpoint.GetMute(after), AudioStatus::Failed);
}

TEST(NoAudioDevice, EveryActionDoesNothing) {
    if (!AudioDeviceIs(L"no")) GTEST_SKIP() << "runs in the ctest entry without a device";
    Win32AudioEndpoint endpoint;
    ASSERT_EQ(endpoint.Open(), AudioStatus::NoDevice);
    std::int32_t level = 0;
    EXPECT_EQ(endpoint.GetLevel(0, level), AudioStatus::Failed);
    EXPECT_EQ(endpoint.SetLevel(0, level), AudioStatus::Failed);
    EXPECT_FALSE(ModuleSound(endpoint).OpenMuteControl());
}

}  // namespace
}  // namespace tavrin::win32
