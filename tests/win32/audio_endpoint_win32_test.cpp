#include "platform/win32/audio_endpoint_win32.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <cwchar>

#include "mixer/module_sound.h"

namespace tavrin::win32 {
namespace {

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
