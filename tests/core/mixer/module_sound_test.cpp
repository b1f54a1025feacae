#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "fakes/fake_audio_endpoint.h"
#include "mixer/module_sound.h"

namespace tavrin {
namespace {

using testing::FakeAudioEndpoint;
using Levels = std::vector<std::int32_t>;

class ModuleSoundTest : public ::testing::Test {
protected:
    FakeAudioEndpoint device;
    ModuleSound sound{device};
};

TEST(VolumeStep, IsATenthOfTheRangeWithHalvesToEven) {
    struct Case {
        std::int32_t min, max, step;
    };
    const Case cases[] = {
        {0, 65535, 6554},  // 6553.5
        {0, 65534, 6553},
        {0, 100, 10},
        {0, 25, 2},
        {0, 35, 4},
        {0, 15, 2},
        {0, 5, 0},
        {0, 0, 0},
        {0, 6, 1},
        {-100, 100, 20},
        {100, 1100, 100},
        {INT32_MIN, INT32_MAX, 429496730},  // 429496729.5
    };
    for (const Case& c : cases)
        EXPECT_EQ(ModuleSound::VolumeStep(c.min, c.max), c.step) << "case: " << c.min << ".." << c.max;
}

TEST_F(ModuleSoundTest, VolumeUpClimbsByTenthsToTheTopAndStays) {
    const Levels expected = {6554, 13108, 19662, 26216, 32770, 39324, 45878, 52432, 58986, 65535, 65535};
    for (std::size_t press = 0; press < expected.size(); ++press) {
        sound.VolumeUp();
        EXPECT_EQ(device.levels, Levels(2, expected[press])) << "case: press " << press + 1;
    }
}

TEST_F(ModuleSoundTest, VolumeDownFallsByTenthsToTheBottomAndStays) {
    device.levels = {65535, 65535};
    const Levels expected = {58981, 52427, 45873, 39319, 32765, 26211, 19657, 13103, 6549, 0, 0};
    for (std::size_t press = 0; press < expected.size(); ++press) {
        sound.VolumeDown();
        EXPECT_EQ(device.levels, Levels(2, expected[press])) << "case: press " << press + 1;
    }
}

TEST_F(ModuleSoundTest, EachChannelStopsAtItsBoundOnItsOwn) {
    struct Case {
        Levels before;
        bool up;
        Levels after;
    };
    const Case cases[] = {
        {{65535, 60000}, true, {65535, 65535}},
        {{60000, 0}, true, {65535, 6554}},
        {{3000, 10000}, false, {0, 3446}},
        {{30000}, true, {36554}},  // one channel: only it is read and written
        {{0, 100, 200, 65000, 65535, 7}, true, {6554, 6654, 6754, 65535, 65535, 6561}},
        {{70000, -5}, false, {63446, 0}},  // a device reporting levels off its own bounds
    };
    for (const Case& c : cases) {
        device.levels = c.before;
        c.up ? sound.VolumeUp() : sound.VolumeDown();
        EXPECT_EQ(device.levels, c.after) << "case: " << c.before.size() << " channels from " << c.before[0];
        EXPECT_FALSE(device.IsOpen());
    }
}

TEST_F(ModuleSoundTest, OtherBoundsGiveTheirOwnStep) {
    device.min = 100;
    device.max = 1100;
    device.levels = {1050, 150};
    sound.VolumeUp();
    EXPECT_EQ(device.levels, (Levels{1100, 250}));
    sound.VolumeDown();
    sound.VolumeDown();
    sound.VolumeDown();
    EXPECT_EQ(device.levels, (Levels{800, 100}));
}

TEST_F(ModuleSoundTest, ToggleMuteFlipsTheStateAndLevelsLeaveItAlone) {
    device.muted = true;
    device.levels = {20000, 20000};
    sound.VolumeUp();
    sound.VolumeDown();
    sound.VolumeDown();
    EXPECT_TRUE(device.muted);
    EXPECT_EQ(device.levels, (Levels{13446, 13446}));
    sound.ToggleMute();
    EXPECT_FALSE(device.muted);
    sound.ToggleMute();
    EXPECT_TRUE(device.muted);
    EXPECT_EQ(device.muteWrites, 2);
    EXPECT_EQ(device.levels, (Levels{13446, 13446}));
}

TEST_F(ModuleSoundTest, WithoutADeviceEveryActionDoesNothing) {
    device.present = false;
    device.muted = false;
    sound.VolumeUp();
    sound.VolumeDown();
    sound.ToggleMute();
    EXPECT_EQ(device.opens, 3);
    EXPECT_EQ(device.levelWrites + device.muteWrites, 0);
    EXPECT_EQ(device.callsWhileClosed, 0);
    EXPECT_FALSE(device.muted);

    EXPECT_FALSE(sound.OpenVolumeControl());
    EXPECT_EQ(sound.GetVolumeMax(), -1);
    EXPECT_EQ(sound.GetVolumeMin(), -1);
    std::int32_t first = 5, second = 5;
    EXPECT_FALSE(sound.GetVolume(first, second));
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, -1);
    EXPECT_FALSE(sound.SetVolume(1, 1));
    bool muted = true;
    EXPECT_FALSE(sound.GetMute(muted));
    EXPECT_TRUE(muted);
    EXPECT_FALSE(sound.SetMute(true));
    EXPECT_TRUE(sound.CloseMixer());
    EXPECT_EQ(device.callsWhileClosed, 0);
}

// Stepping from unread levels would write a made-up volume; muting after an
// unread state would mute a line nobody asked to mute.
TEST_F(ModuleSoundTest, AFailedOpenLookupOrReadNeverWrites) {
    struct Case {
        const char* name;
        bool FakeAudioEndpoint::*failure;
    };
    const Case volumeCases[] = {{"open", &FakeAudioEndpoint::failOpen},
                                {"channel count", &FakeAudioEndpoint::failChannelCount},
                                {"bounds", &FakeAudioEndpoint::failBounds},
                                {"level read", &FakeAudioEndpoint::failGetLevel}};
    for (const Case& c : volumeCases) {
        FakeAudioEndpoint dev;
        dev.levels = {30000, 40000};
        dev.*c.failure = true;
        ModuleSound s(dev);
        s.VolumeUp();
        s.VolumeDown();
        EXPECT_EQ(dev.levels, (Levels{30000, 40000})) << "case: " << c.name;
        EXPECT_EQ(dev.levelWrites, 0) << "case: " << c.name;
        EXPECT_FALSE(dev.IsOpen()) << "case: " << c.name;
    }
    const Case muteCases[] = {{"open", &FakeAudioEndpoint::failOpen}, {"mute read", &FakeAudioEndpoint::failGetMute}};
    for (const Case& c : muteCases) {
        FakeAudioEndpoint dev;
        dev.*c.failure = true;
        ModuleSound s(dev);
        s.ToggleMute();
        EXPECT_FALSE(dev.muted) << "case: " << c.name;
        EXPECT_EQ(dev.muteWrites, 0) << "case: " << c.name;
        EXPECT_FALSE(dev.IsOpen()) << "case: " << c.name;
    }
}

TEST_F(ModuleSoundTest, ALookupWithNoChannelsOrReversedBoundsFails) {
    device.levels = {};
    EXPECT_FALSE(sound.OpenVolumeControl());
    sound.CloseMixer();
    device.levels = {500, 500};
    device.min = 1000;
    device.max = 0;
    sound.VolumeUp();
    EXPECT_EQ(device.levels, (Levels{500, 500}));
    EXPECT_EQ(device.levelWrites, 0);
}

TEST_F(ModuleSoundTest, AFailedWriteStillTriesEveryChannelAndCloses) {
    device.failSetLevel = true;
    sound.VolumeUp();
    EXPECT_EQ(device.levels, (Levels{0, 0}));
    EXPECT_FALSE(device.IsOpen());
    device.failSetLevel = false;
    device.failSetMute = true;
    sound.ToggleMute();
    EXPECT_FALSE(device.muted);
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(ModuleSoundTest, TheStepsReportWhatTheyFound) {
    device.levels = {1000, 2000};
    ASSERT_TRUE(sound.OpenVolumeControl());
    EXPECT_EQ(sound.GetVolumeMin(), 0);
    EXPECT_EQ(sound.GetVolumeMax(), 65535);
    EXPECT_EQ(sound.LineChannels(), 2);
    std::int32_t first = 0, second = 0;
    EXPECT_TRUE(sound.GetVolume(first, second));
    EXPECT_EQ(first, 1000);
    EXPECT_EQ(second, 2000);
    EXPECT_TRUE(sound.SetVolume(7, 8));
    EXPECT_EQ(device.levels, (Levels{7, 8}));
    EXPECT_FALSE(sound.SetVolume(7, 70000));    // refused by the device
    EXPECT_FALSE(sound.SetVolumes({1, 2, 3}));  // not this line's channel count
    EXPECT_EQ(device.levels, (Levels{7, 8}));
    sound.CloseMixer();

    device.levels = {1000};
    ASSERT_TRUE(sound.OpenVolumeControl());
    EXPECT_TRUE(sound.GetVolume(first, second));
    EXPECT_EQ(first, 1000);
    EXPECT_EQ(second, -1);
    EXPECT_TRUE(sound.SetVolume(9, 99999));  // the second value has no channel to go to
    EXPECT_EQ(device.levels, Levels{9});
    sound.CloseMixer();

    ASSERT_TRUE(sound.OpenMuteControl());
    bool muted = true;
    EXPECT_FALSE(sound.GetMute(muted));
    EXPECT_FALSE(muted);
    EXPECT_TRUE(sound.SetMute(true));
    EXPECT_TRUE(sound.GetMute(muted));
    EXPECT_TRUE(muted);
    device.failGetMute = true;
    muted = false;
    EXPECT_FALSE(sound.GetMute(muted));
    EXPECT_FALSE(muted);  // untouched by a failed read
    EXPECT_TRUE(sound.CloseMixer());
    EXPECT_EQ(device.opens, device.closes);
}

TEST_F(ModuleSoundTest, OpeningAgainClosesTheEarlierOpeningFirst) {
    ASSERT_TRUE(sound.OpenVolumeControl());
    ASSERT_TRUE(sound.OpenMuteControl());
    EXPECT_EQ(device.closes, 1);
    sound.CloseMixer();
    EXPECT_EQ(device.closes, 2);
    EXPECT_FALSE(device.IsOpen());
}

}  // namespace
}  // namespace tavrin
