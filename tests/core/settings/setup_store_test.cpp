#include <gtest/gtest.h>

#include "fakes/settings_rig.h"

namespace tavrin {
namespace {

using namespace testing;
using namespace std::chrono;

// Where a record written by any earlier version finds its fields.
TEST(SetupInfo, FieldsSitAtTheirOffsetsLittleEndian) {
    SetupInfo info;
    info.TaskIndex = 0x0102;
    info.CountdownEnabled = -1;
    info.CloseDate = OleDate{1.0};
    info.VolumeKeysEnabled = 0x0A0B;
    const SetupInfo::Bytes b = info.ToBytes();
    EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3], b[14], b[15], b[54], b[55]}),
              (std::vector<int>{0x02, 0x01, 0xFF, 0xFF, 0xF0, 0x3F, 0x0B, 0x0A}));  // 1.0 is 3FF0000000000000
}

// Nothing stored gives the defaults, which a save keeps to itself until one
// of them changes; then the record and the start-up entry the keys need.
TEST(SetupStore, NothingStoredGivesTheDefaultsWhichStayUnwrittenUntilChanged) {
    SettingsRig rig;
    rig.clock.SetNow(MakeDateTime(year{2026} / 12 / 6, hours{20} + minutes{15} + seconds{7}));
    rig.store.LoadSetupInfo();
    rig.store.SaveSetupInfo();
    EXPECT_TRUE(rig.registry.log.empty());
    SetupInfo defaults;
    defaults.TaskIndex = 3;
    defaults.CountdownEnabled = -1;
    defaults.CountdownSeconds = 30;
    defaults.TimingMode = TimingMode::EveryDay;
    defaults.CloseDate = MakeDate(year{2026} / 12 / 6);
    defaults.CloseTime = defaults.AllDayTime = MakeTimeOfDay(20, 15, 7);
    defaults.CountDownSpan = OleDate{1.0 / 48};
    defaults.PowerKeyCountdown = defaults.PowerKeysEnabled = defaults.VolumeKeysEnabled = 1;
    defaults.SyncMode = SyncMode::Manual;
    defaults.PowerKeySet = PowerKeySet::CtrlF9ToF12;
    defaults.VolumeKeySet = VolumeKeySet::F6ToF8;
    EXPECT_EQ(rig.Info(), defaults);
    rig.Info().VolumeKeySet = VolumeKeySet::F9ToF11;
    rig.store.SaveSetupInfo();
    EXPECT_EQ(rig.Stored(), rig.Info());
    EXPECT_TRUE(rig.registry.Text(Hive::CurrentUser, kRunKey, kRunValue));
}

}  // namespace
}  // namespace tavrin
