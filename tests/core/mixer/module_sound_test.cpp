#include "mixer/module_sound.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>
#include <vector>

#include "fakes/fake_audio_endpoint.h"

namespace tavrin {
namespace {

using Levels = std::vector<std::int32_t>;

// A volume key, then the mute key. Every channel moves by a tenth of the
// range, halves to even, and stops at a bound on its own. Stepping from unread levels would write a
// made-up volume, and muting after an unread state would mute a line nobody
// asked to mute.
TEST(VolumeKeys, ChannelsStopAtTheirBoundsAndADamagedDeviceIsNeverWritten) {
    const struct {
        const char* failing;
        Levels before;
        bool up;
        Levels after;
        bool mutedAfter;
        std::int32_t min = 0, max = 65535;
    } cases[] = {
        {"", {60000, 0, 100}, true, {65535, 6554, 6654}, true},
        {"", {70000, -5}, false, {63446, 0}, true},  // levels off the device's own bounds
        {"", {0}, true, {2}, true, 0, 25},
        {"", {INT32_MIN}, true, {INT32_MIN + 429496730}, true, INT32_MIN, INT32_MAX},
        {"", {}, true, {}, true},                   // no channels
        {"", {30000}, true, {30000}, true, 70000},  // reversed bounds
        {"no device", {30000}, true, {30000}, false},
        {"Open", {30000}, true, {30000}, false},
        {"ChannelCount", {30000}, true, {30000}, true},
        {"LevelBounds", {30000}, true, {30000}, true},
        {"GetLevel", {30000, 40000}, true, {30000, 40000}, true},
        {"GetMute", {30000}, true, {36554}, false},
    };
    for (const auto& c : cases) {
        testing::FakeAudioEndpoint device;
        device.failing = c.failing;
        device.levels = c.before;
        device.min = c.min;
        device.max = c.max;
        ModuleSound sound(device);
        c.up ? sound.VolumeUp() : sound.VolumeDown();
        sound.ToggleMute();
        EXPECT_EQ(std::tuple(device.levels, device.muted, device.open || device.callsWhileClosed > 0),
                  std::tuple(c.after, c.mutedAfter, false))
            << "case: " << c.failing << " from " << ::testing::PrintToString(c.before);
    }
}

}  // namespace
}  // namespace tavrin
