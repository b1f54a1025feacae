#include <gtest/gtest.h>

#include <random>

#include "fakes/settings_rig.h"
#include "startup/start_with_windows.h"

namespace tavrin {
namespace {

using namespace testing;
using namespace std::chrono;

class SetupStoreTest : public ::testing::Test, public SettingsRig {
protected:
    SetupStoreTest() { clock.SetNow(MakeDateTime(year{2026} / 12 / 6, hours{20} + minutes{15} + seconds{7})); }
    std::optional<std::vector<std::uint8_t>> Bytes() const {
        return registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue);
    }
    std::optional<std::string> RunEntry() const { return registry.Text(Hive::CurrentUser, kRunKey, kRunValue); }
};

TEST_F(SetupStoreTest, AStoredRecordRoundTripsBitForBit) {
    std::mt19937 random(2026);
    for (int run = 0; run < 50; ++run) {
        std::vector<std::uint8_t> bytes(SetupInfo::kSize);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());  // NaN and odd date bits included
        registry.PutBinary(Hive::CurrentUser, "SOFTWARE\\dormalix", "SetupInfo", bytes);
        SetupStore fresh(registry, clock, startUp);
        fresh.LoadSetupInfo();
        fresh.SaveSetupInfo();
        EXPECT_EQ(Bytes(), bytes) << "run " << run;
    }
}

TEST_F(SetupStoreTest, FieldsSitAtTheirOffsetsLittleEndian) {
    SetupInfo info;
    info.TaskIndex = 0x0102;
    info.CountdownEnabled = -1;
    info.CloseDate = OleDate{1.0};
    info.VolumeKeysEnabled = 0x0A0B;
    const SetupInfo::Bytes b = info.ToBytes();
    EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3], b[14], b[15], b[54], b[55]}),
              (std::vector<int>{0x02, 0x01, 0xFF, 0xFF, 0xF0, 0x3F, 0x0B, 0x0A}));  // 1.0 is 3FF0000000000000
}

// A missing or empty value gives the defaults, which a save keeps to itself
// until one of them changes; a short value fills the start and keeps the zero
// tail, a long one fills only the record, one of another type counts as its
// bytes. A load writes nothing.
TEST_F(SetupStoreTest, ALoadTakesTheDefaultsOrTheStoredBytesAndWritesNothing) {
    SetupInfo defaults;
    defaults.TaskIndex = 3;
    defaults.CountdownEnabled = -1;
    defaults.CountdownSeconds = 30;
    defaults.TimingMode = TimingMode::EveryDay;
    defaults.CloseDate = MakeDate(year{2026} / 12 / 6);
    defaults.CloseTime = defaults.AllDayTime = MakeTimeOfDay(20, 15, 7);
    defaults.CountDownSpan = OleDate{1.0 / 48};
    defaults.PowerKeyCountdown = defaults.PowerKeysEnabled = 1;
    defaults.SyncMode = SyncMode::Manual;
    defaults.PowerKeySet = PowerKeySet::CtrlF9ToF12;
    defaults.VolumeKeySet = VolumeKeySet::F6ToF8;
    defaults.VolumeKeysEnabled = 1;
    SetupInfo changed = defaults;
    changed.VolumeKeySet = VolumeKeySet::F9ToF11;
    const SetupInfo::Bytes d = changed.ToBytes();
    const auto zeroTail = [](std::vector<std::uint8_t> bytes) { return bytes.resize(56), bytes; };
    using T = FakeRegistry::Type;
    const struct {
        const char* name;
        std::optional<T> type;
        std::vector<std::uint8_t> stored, saved;
    } cases[] = {
        {"missing", std::nullopt, {}, {d.begin(), d.end()}},
        {"empty", T::Binary, {}, {d.begin(), d.end()}},
        {"short", T::Binary, {0x05, 0x00, 0xFF, 0xFF, 0x2D}, zeroTail({0x05, 0x00, 0xFF, 0xFF, 0x2D})},
        {"long", T::Binary, std::vector<std::uint8_t>(300, 0x01), std::vector<std::uint8_t>(56, 0x01)},
        {"text", T::Text, std::vector<std::uint8_t>(1000, 'x'), std::vector<std::uint8_t>(56, 'x')},
        {"number", T::Dword, {0x02, 0x00, 0x01, 0x00}, zeroTail({0x02, 0x00, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        registry = FakeRegistry{};
        if (c.type) registry.Put(Hive::CurrentUser, kSettingsKey, kSettingsValue, *c.type, c.stored);
        store.Info() = {};
        store.LoadSetupInfo();
        EXPECT_TRUE(registry.log.empty()) << "case: " << c.name;
        store.SaveSetupInfo();
        const bool defaulted = c.stored.empty();
        EXPECT_EQ(store.Info() == defaults, defaulted) << "case: " << c.name;
        EXPECT_EQ(registry.log.empty(), defaulted) << "case: " << c.name;
        if (defaulted) store.Info().VolumeKeySet = VolumeKeySet::F9ToF11;
        store.SaveSetupInfo();
        EXPECT_EQ(Bytes(), c.saved) << "case: " << c.name;
        EXPECT_TRUE(RunEntry() || !defaulted) << "case: " << c.name;  // the keys need the entry
    }
}

// The record needs no rights; a key that cannot be opened leaves it as it
// was, and the start-up entry that could not follow is said.
TEST_F(SetupStoreTest, AnUnopenableKeyLeavesTheRecordAsItWasAndSaysSo) {
    registry.PutBinary(Hive::CurrentUser, kSettingsKey, kSettingsValue, std::vector<std::uint8_t>(56, 7));
    registry.DenyOpen(Hive::CurrentUser);
    store.LoadSetupInfo();
    EXPECT_EQ(store.Info(), SetupInfo{});  // zero-filled, no defaults either
    store.Info().SyncMode = SyncMode::StartUpAndHourly;
    store.SaveSetupInfo();
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
}  // namespace tavrin
