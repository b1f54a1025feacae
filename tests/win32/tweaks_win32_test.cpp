#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fakes/fake_application.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_elevation.h"
#include "fakes/tracing_ports.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/text.h"
#include "settings/setup_store.h"
#include "startup/start_with_windows.h"
#include "tweaks/form_easy_login.h"
#include "tweaks/system_tweaks.h"

namespace tavrin::win32 {
namespace {

HKEY Root(Hive hive) {
    return hive == Hive::ClassesRoot    ? HKEY_CLASSES_ROOT
           : hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE
                                        : HKEY_CURRENT_USER;
}

// What Windows itself holds, read past the adapter: type and bytes, or nothing.
struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};
std::optional<Stored> Query(Hive hive, std::string_view key, std::string_view name) {
    Stored s;
    DWORD size = 0;
    const std::wstring k = Widen(key), n = Widen(name);
    if (RegGetValueW(Root(hive), k.c_str(), n.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &s.type, nullptr, &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    s.bytes.resize(size);
    if (RegGetValueW(Root(hive), k.c_str(), n.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &s.type, s.bytes.data(), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    s.bytes.resize(size);
    return s;
}
void Remove(Hive hive, std::string_view key, std::string_view name) {
    RegDeleteKeyValueW(Root(hive), Widen(key).c_str(), Widen(name).c_str());
}

// Every test starts and ends without the values the window writes, so no
// test sees another's and the prefix keeps only empty keys.
class WindowsRegistry : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        using namespace tweak_rows;
        for (auto rows : {std::span<const RegistryTweakRow>(kShareOff), std::span<const RegistryTweakRow>(kTrackerOff),
                          std::span<const RegistryTweakRow>(kAutoPlayOn)})
            for (const RegistryTweakRow& r : rows) Remove(r.root, r.key, r.name);
        for (const char* name : {kDefaultUserName, kDefaultPassword, kAutoAdminLogon})
            Remove(Hive::LocalMachine, kWinlogonKey, name);
        Remove(Hive::LocalMachine, kRunKey, kRunValue);
        RegDeleteTreeW(HKEY_CURRENT_USER, Widen(kSettingsKey).c_str());
    }
    Win32Registry registry;
};

TEST_F(WindowsRegistry, EachTweakLeavesItsRowsAsDwordsOrDeletions) {
    using namespace tweak_rows;
    const struct {
        const char* name;
        std::function<bool()> apply;
        std::span<const RegistryTweakRow> rows;
    } cases[] = {
        {"shares off", [&] { return ApplyShareTweak(registry, 1); }, kShareOff},
        {"shares default", [&] { return ApplyShareTweak(registry, 0); }, kShareDefault},
        {"tracker off", [&] { return ApplyTrackerTweak(registry, 1); }, kTrackerOff},
        {"tracker default", [&] { return ApplyTrackerTweak(registry, 0); }, kTrackerDefault},
        {"autoplay on", [&] { return ApplyAutoPlayTweak(registry, 0); }, kAutoPlayOn},
        {"autoplay off but optical", [&] { return ApplyAutoPlayTweak(registry, 1); }, kAutoPlayOpticalOnly},
        {"autoplay off", [&] { return ApplyAutoPlayTweak(registry, 2); }, kAutoPlayOff},
    };
    for (const auto& c : cases) {
        // Values there before, of another type, so both a set and a delete show.
        for (const RegistryTweakRow& r : c.rows)
            ASSERT_EQ(registry.OpenKey(r.root, r.key)->WriteText(r.name, "before"), RegStatus::Ok)
                << "case: " << c.name;
        EXPECT_TRUE(c.apply()) << "case: " << c.name;
        for (const RegistryTweakRow& r : c.rows) {
            const auto stored = Query(r.root, r.key, r.name);
            const std::string where = std::string(c.name) + ", " + std::string(r.name);
            if (r.action == RegistryTweakRow::Action::Delete) {
                EXPECT_FALSE(stored) << "case: " << where;
                continue;
            }
            ASSERT_TRUE(stored) << "case: " << where;
            EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD)) << "case: " << where;
            ASSERT_EQ(stored->bytes.size(), 4u) << "case: " << where;
            DWORD value = 0;
            std::memcpy(&value, stored->bytes.data(), 4);
            EXPECT_EQ(value, r.value) << "case: " << where;
        }
    }
    EXPECT_FALSE(Query(Hive::ClassesRoot, kAudioCdShellKey, ""));  // "play" is a named value, not the default
}

TEST_F(WindowsRegistry, SavingTheLockChoiceWritesWinlogonTheRecordAndTheTweaks) {
    testing::FakeApplication app;
    testing::FakeClock clock;
    testing::FakeElevation elevation;
    testing::FakeLogonTask task;
    std::vector<std::string> boxes;
    testing::TracingMessageBox messageBox(boxes);
    StartWithWindows startUp(registry, app, task, elevation, messageBox);
    {
        SetupStore store(registry, clock, startUp);
        store.LoadSetupInfo();
        FormEasyLogin form(registry, store, elevation);
        form.Load();
        form.OptionLock.Click();
        form.TextUserName.SetText("管理员");
        form.TextUserPassWord.SetText("p w");
        form.CommandSave.Click();
    }
    const auto record = Query(Hive::CurrentUser, kSettingsKey, kSettingsValue);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->type, static_cast<DWORD>(REG_BINARY));
    ASSERT_EQ(record->bytes.size(), SetupInfo::kSize);
    EXPECT_EQ(record->bytes[44] | record->bytes[45] << 8, 1);  // AutoLogonLock
    EXPECT_TRUE(Query(Hive::ClassesRoot, kAudioCdShellKey, "play"));

    SetupStore store(registry, clock, startUp);  // the next start reads it all back as texts
    store.LoadSetupInfo();
    FormEasyLogin again(registry, store, elevation);
    again.Load();
    EXPECT_TRUE(again.OptionLock.Value());
    EXPECT_EQ(again.TextUserName.Text(), "管理员");
    EXPECT_EQ(again.TextUserPassWord.Text(), "p w");
}

}  // namespace
}  // namespace tavrin::win32
