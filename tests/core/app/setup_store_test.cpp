#include <gtest/gtest.h>

#include <random>

#include "app/setup_store.h"
#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_registry.h"

namespace tavrin {
namespace {

using testing::FakeApplication;
using testing::FakeClock;
using testing::FakeRegistry;
using namespace std::chrono;

class SetupStoreTest : public ::testing::Test {
protected:
    std::optional<std::vector<std::uint8_t>> Stored() const {
        return registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue);
    }
    std::optional<std::string> RunEntry() const { return registry.Text(Hive::LocalMachine, kRunKey, kRunValue); }

    FakeRegistry registry;
    FakeApplication app;
    FakeClock clock{MakeDateTime(year{2026} / 12 / 6, hours{20} + minutes{15} + seconds{7})};
    SetupStore store{registry, app, clock};
};

TEST_F(SetupStoreTest, AStoredRecordRoundTripsBitForBit) {
    std::mt19937 random(2026);
    for (int run = 0; run < 50; ++run) {
        std::vector<std::uint8_t> bytes(SetupInfo::kSize);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());  // NaN and odd date bits included
        registry.PutBinary(Hive::CurrentUser, "SOFTWARE\\dormalix", "SetupInfo", bytes);
        SetupStore fresh(registry, app, clock);
        fresh.LoadSetupInfo();
        fresh.SaveSetupInfo();
        EXPECT_EQ(Stored(), bytes) << "run " << run;
    }
}

TEST_F(SetupStoreTest, FieldsSitAtTheirOffsetsLittleEndian) {
    SetupInfo info;
    info.TaskIndex = 0x0102;
    info.CountdownEnabled = -1;
    info.CloseDate = OleDate{1.0};
    info.VolumeKeysEnabled = 0x0A0B;
    const SetupInfo::Bytes b = info.ToBytes();
    EXPECT_EQ(b[0], 0x02);
    EXPECT_EQ(b[1], 0x01);
    EXPECT_EQ(b[2], 0xFF);
    EXPECT_EQ(b[3], 0xFF);
    EXPECT_EQ(b[14], 0xF0);  // 1.0 is 3FF0000000000000
    EXPECT_EQ(b[15], 0x3F);
    EXPECT_EQ(b[54], 0x0B);
    EXPECT_EQ(b[55], 0x0A);
}

TEST_F(SetupStoreTest, NothingStoredGivesTheDefaultsAndWritesNothingUntilSaved) {
    for (bool emptyValue : {false, true}) {
        FakeRegistry reg;
        if (emptyValue) reg.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {});
        SetupStore s(reg, app, clock);
        const int before = reg.writes;
        s.LoadSetupInfo();
        EXPECT_EQ(reg.writes, before) << "empty value: " << emptyValue;

        const SetupInfo& i = s.Info();
        EXPECT_EQ(i.TaskIndex, 3);
        EXPECT_EQ(i.CountdownEnabled, -1);
        EXPECT_EQ(i.CountdownSeconds, 30);
        EXPECT_EQ(i.TimingMode, 3);
        EXPECT_EQ(i.CloseDate, MakeDate(year{2026} / 12 / 6));
        EXPECT_EQ(i.CloseTime, MakeTimeOfDay(20, 15, 7));
        EXPECT_EQ(i.CountDownSpan, OleDate{1.0 / 48});
        EXPECT_EQ(i.AllDayTime, MakeTimeOfDay(20, 15, 7));
        EXPECT_EQ(i.StartCloseTask, 1);
        EXPECT_EQ(i.SyncMode, 3);
        EXPECT_EQ(i.AutoLogonLock, 0);
        EXPECT_EQ(i.PowerKeySet, 3);
        EXPECT_EQ(i.PowerKeyCountdown, 1);
        EXPECT_EQ(i.PowerKeysEnabled, 1);
        EXPECT_EQ(i.VolumeKeySet, 1);
        EXPECT_EQ(i.VolumeKeysEnabled, 1);

        s.SaveSetupInfo();
        const auto stored = reg.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->size(), 56u);
        EXPECT_TRUE(reg.Has(Hive::LocalMachine, kRunKey, kRunValue));  // the defaults need the entry
    }
}

TEST_F(SetupStoreTest, AShortValueFillsTheStartAndKeepsTheZeroTail) {
    registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, {0x05, 0x00, 0xFF, 0xFF, 0x2D});
    store.LoadSetupInfo();
    EXPECT_EQ(store.Info().TaskIndex, 5);
    EXPECT_EQ(store.Info().CountdownEnabled, -1);
    EXPECT_EQ(store.Info().CountdownSeconds, 0x2D);  // the missing high byte stays zero
    EXPECT_EQ(store.Info().TimingMode, 0);
    EXPECT_EQ(store.Info().VolumeKeysEnabled, 0);
    store.SaveSetupInfo();
    const auto stored = Stored();
    ASSERT_TRUE(stored);
    ASSERT_EQ(stored->size(), 56u);
    EXPECT_EQ(std::count(stored->begin() + 5, stored->end(), 0), 51);
}

TEST_F(SetupStoreTest, ALongValueFillsOnlyTheRecord) {
    std::vector<std::uint8_t> bytes(300, 0x01);
    registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, bytes);
    store.LoadSetupInfo();
    EXPECT_EQ(store.Info().VolumeKeysEnabled, 0x0101);
    store.SaveSetupInfo();
    EXPECT_EQ(Stored(), std::vector<std::uint8_t>(56, 0x01));
}

TEST_F(SetupStoreTest, AValueOfTheWrongTypeIsTakenAsBytesAndNeverOverruns) {
    registry.PutText(Hive::CurrentUser, kSettingsKey, kSettingsValue, std::string(1000, 'x'));
    store.LoadSetupInfo();
    EXPECT_EQ(store.Info().TaskIndex, 0x7878);
    registry.PutDword(Hive::CurrentUser, kSettingsKey, kSettingsValue, 0x00010002);
    SetupStore other(registry, app, clock);
    other.LoadSetupInfo();
    EXPECT_EQ(other.Info().TaskIndex, 2);
    EXPECT_EQ(other.Info().CountdownEnabled, 1);
    EXPECT_EQ(other.Info().CountdownSeconds, 0);
}

TEST_F(SetupStoreTest, AnUnopenableKeyLeavesTheRecordAsItWas) {
    registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, std::vector<std::uint8_t>(56, 7));
    registry.DenyOpen(Hive::CurrentUser);
    store.LoadSetupInfo();
    EXPECT_EQ(store.Info(), SetupInfo{});  // zero-filled, no defaults either
    store.Info().AutoLogonLock = 1;
    store.SaveSetupInfo();  // the record cannot be stored, the Run entry still follows it
    EXPECT_TRUE(RunEntry());
}

TEST_F(SetupStoreTest, ADeniedMachineHiveStillStoresTheUsersRecord) {
    registry.DenyWrites(Hive::LocalMachine);
    store.LoadSetupInfo();
    store.Info().SyncMode = 1;
    store.SaveSetupInfo();
    ASSERT_TRUE(Stored());
    EXPECT_EQ((*Stored())[42], 1);
    EXPECT_FALSE(RunEntry());
}

SetupInfo NothingAtStartUp() {
    SetupInfo i;
    i.StartCloseTask = 0;
    i.AutoLogonLock = 0;
    i.SyncMode = 3;
    i.PowerKeysEnabled = 0;
    i.VolumeKeysEnabled = 0;
    return i;
}

TEST_F(SetupStoreTest, TheRunEntryExistsExactlyWhenASettingNeedsIt) {
    struct Case { const char* what; void (*change)(SetupInfo&); bool needed; };
    const Case cases[] = {
        {"nothing", [](SetupInfo&) {}, false},
        {"task at start-up", [](SetupInfo& i) { i.StartCloseTask = 1; }, true},
        {"lock after logon", [](SetupInfo& i) { i.AutoLogonLock = 1; }, true},
        {"hourly sync", [](SetupInfo& i) { i.SyncMode = 1; }, true},
        {"sync at start-up", [](SetupInfo& i) { i.SyncMode = 2; }, true},
        {"power keys", [](SetupInfo& i) { i.PowerKeysEnabled = 1; }, true},
        {"power keys, odd value", [](SetupInfo& i) { i.PowerKeysEnabled = -3; }, true},
        {"volume keys", [](SetupInfo& i) { i.VolumeKeysEnabled = 1; }, true},
        {"task flag 2", [](SetupInfo& i) { i.StartCloseTask = 2; }, false},
        {"task flag -1", [](SetupInfo& i) { i.StartCloseTask = -1; }, false},
        {"lock flag 2", [](SetupInfo& i) { i.AutoLogonLock = 2; }, false},
        {"lock flag -1", [](SetupInfo& i) { i.AutoLogonLock = -1; }, false},
        {"sync mode 0", [](SetupInfo& i) { i.SyncMode = 0; }, false},
        {"sync mode 4", [](SetupInfo& i) { i.SyncMode = 4; }, false},
    };
    for (const Case& c : cases) {
        // Each case starts from the opposite state, so both directions are seen.
        registry.PutText(Hive::LocalMachine, kRunKey, kRunValue, "stale");
        if (c.needed) registry.Put(Hive::LocalMachine, kRunKey, kRunValue, FakeRegistry::Type::Text, {});
        if (c.needed) store.Info() = NothingAtStartUp(), store.SaveSetupInfo();
        store.Info() = NothingAtStartUp();
        c.change(store.Info());
        store.SaveSetupInfo();
        if (c.needed)
            EXPECT_EQ(RunEntry(), "\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /run") << c.what;
        else
            EXPECT_FALSE(registry.Has(Hive::LocalMachine, kRunKey, kRunValue)) << c.what;
    }
}

TEST_F(SetupStoreTest, DeletingAMissingRunEntryIsHarmless) {
    store.Info() = NothingAtStartUp();
    store.SaveSetupInfo();
    store.SaveSetupInfo();
    EXPECT_FALSE(RunEntry());
    EXPECT_TRUE(Stored());
}

TEST(RunCommand, QuotesThePathWhereverTheProgramLives) {
    struct Case { const char* dir; const char* base; const char* command; };
    const Case cases[] = {
        {"C:\\Program Files\\Tavrin", "Tavrin", "\"C:\\Program Files\\Tavrin\\Tavrin.exe\" /run"},
        {"C:\\", "Tavrin", "\"C:\\Tavrin.exe\" /run"},
        {"D:\\tools\\", "tav", "\"D:\\tools\\tav.exe\" /run"},
        {"\\\\server\\share", "Tavrin", "\"\\\\server\\share\\Tavrin.exe\" /run"},
        {"C:\\程序", "定时关机", "\"C:\\程序\\定时关机.exe\" /run"},
    };
    for (const Case& c : cases) {
        FakeApplication app;
        app.directory = c.dir;
        app.baseName = c.base;
        EXPECT_EQ(SetupStore::RunCommand(app), c.command) << c.dir;
    }
}

}  // namespace
}  // namespace tavrin
