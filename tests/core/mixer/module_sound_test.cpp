#include "mixer/module_sound.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "fakes/fake_audio_endpoint.h"

namespace tavrin {
namespace {

using testing::FakeAudioEndpoint;
using Levels = std::vector<std::int32_t>;

TEST(VolumeStep, IsATenthOfTheRangeWithHalvesToEven) {
    struct Case {
        std::int32_t min, max, step;
    };
    const Case cases[] = {{0, 65535, 6554}, {0, 65534, 6553},
                          {0, 25, 2},       {0, 35, 4},
                          {0, 5, 0},        {0, 0, 0},
                          {-100, 100, 20},  {100, 1100, 100},
                          {0, 6, 1},        {INT32_MIN, INT32_MAX, 429496730}};  // 429496729.5
    for (const Case& c : cases)
        EXPECT_EQ(ModuleSound::VolumeStep(c.min, c.max), c.step) << "case: " << c.min << ".." << c.max;
}

// Every channel moves by the same step and stops at a bound on its own.
TEST(VolumeKeys, EachChannelStopsAtItsBoundOnItsOwn) {
    struct Case {
        Levels before;
        bool up;
        Levels after;
        std::int32_t min = 0, max = 65535;
    };
    const Case cases[] = {
        {{65535, 60000}, true, {65535, 65535}},
        {{60000, 0}, true, {65535, 6554}},
        {{3000, 10000}, false, {0, 3446}},
        {{30000}, true, {36554}},  // one channel: only it is read and written
        {{0, 100, 200, 65000, 65535, 7}, true, {6554, 6654, 6754, 65535, 65535, 6561}},
        {{70000, -5}, false, {63446, 0}},  // a device reporting levels off its own bounds
        {{1050, 150}, true, {1100, 250}, 100, 1100},
    };
    for (const Case& c : cases) {
        FakeAudioEndpoint device;
        device.levels = c.before;
        device.min = c.min;
        device.max = c.max;
        ModuleSound sound(device);
        c.up ? sound.VolumeUp() : sound.VolumeDown();
        EXPECT_EQ(device.levels, c.after) << "case: " << c.before.size() << " channels from " << c.before[0];
        EXPECT_FALSE(device.IsOpen());
    }
}

// Stepping from unread levels would write a made-up volume, and muting after
// an unread state would mute a line nobody asked to mute.
// A level key leaves the mute state alone.
TEST(VolumeKeys, MuteTogglesAndNoDeviceAFailedLookupOrAFailedReadNeverWrites) {
    struct Case {
        const char* name;
        void (*breakDevice)(FakeAudioEndpoint&);
        bool levelsWritten, mutedAfter;
    };
    const Case cases[] = {
        {"working", [](FakeAudioEndpoint&) {}, true, true},
        {"working, muted", [](FakeAudioEndpoint& d) { d.muted = true; }, true, false},
        {"no device", [](FakeAudioEndpoint& d) { d.present = false; }, false, false},
        {"open", [](FakeAudioEndpoint& d) { d.failOpen = true; }, false, false},
        {"channel count", [](FakeAudioEndpoint& d) { d.failChannelCount = true; }, false, true},
        {"no channels", [](FakeAudioEndpoint& d) { d.levels.clear(); }, false, true},
        {"bounds", [](FakeAudioEndpoint& d) { d.failBounds = true; }, false, true},
        {"reversed bounds", [](FakeAudioEndpoint& d) { d.min = 70000; }, false, true},
        {"level read", [](FakeAudioEndpoint& d) { d.failGetLevel = true; }, false, true},
        {"mute read", [](FakeAudioEndpoint& d) { d.failGetMute = true; }, true, false},
    };
    for (const Case& c : cases) {
        FakeAudioEndpoint device;
        device.levels = {30000, 40000};
        c.breakDevice(device);
        const Levels before = device.levels;
        ModuleSound sound(device);
        sound.VolumeUp();
        sound.ToggleMute();
        EXPECT_EQ(device.levelWrites > 0, c.levelsWritten) << "case: " << c.name;
        EXPECT_EQ(device.levels == before, !c.levelsWritten) << "case: " << c.name;
        EXPECT_EQ(device.muted, c.mutedAfter) << "case: " << c.name;
        EXPECT_FALSE(device.IsOpen()) << "case: " << c.name;
        EXPECT_EQ(device.callsWhileClosed, 0) << "case: " << c.name;
    }
}

}  // namespace
}  // namespace tavrin
