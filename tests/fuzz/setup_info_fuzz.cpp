// A program start over whatever the registry holds: any bytes of any length
// as the settings record, a few of them as the automatic-logon values in
// Winlogon, then every window's load, the first activation, a few seconds of
// ticks, each hotkey that a pane holds, and some button presses.
//
// Input, as FuzzedDataProvider reads it: from the end a switches byte, a
// steps byte and four bytes of clock; from the front the user name, password
// and AutoadminLogon texts (each ended by a backslash and one more byte);
// everything left over is the stored record.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/frm_main.h"
#include "fakes/fake_application.h"
#include "fakes/fake_audio_endpoint.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_clock_setter.h"
#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_elevation.h"
#include "fakes/fake_hotkeys.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_shell.h"
#include "fakes/fake_tcp_client.h"
#include "fakes/tracing_ports.h"
#include "fuzz/require.h"
#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "mixer/module_sound.h"
#include "power/action_label.h"
#include "schedule/form_shutdown.h"
#include "settings/setup_store.h"
#include "startup/start_with_windows.h"
#include "timesync/frm_sync.h"
#include "tweaks/form_easy_login.h"

namespace tavrin {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

// What the switches byte turns on.
struct Switches {
    explicit Switches(std::uint8_t bits) : bits_(bits) {}
    bool UserKeyClosed() const { return bits_ & 0x01; }
    bool UserKeyReadOnly() const { return bits_ & 0x02; }
    bool MachineKeyClosed() const { return bits_ & 0x04; }
    bool MachineKeyReadOnly() const { return bits_ & 0x08; }
    // The record stored as another type than binary: the load reads any type.
    FakeRegistry::Type RecordType() const {
        switch ((bits_ >> 4) & 0x03) {
            case 1:
                return FakeRegistry::Type::Text;
            case 2:
                return FakeRegistry::Type::Dword;
            default:
                return FakeRegistry::Type::Binary;
        }
    }
    // The logon values stored as numbers, which read back as no text.
    bool LogonValuesAsNumbers() const { return bits_ & 0x40; }
    bool RecordMissing() const { return bits_ & 0x80; }

private:
    std::uint8_t bits_;
};

// What the steps byte asks for after the load.
struct Steps {
    explicit Steps(std::uint8_t bits) : bits_(bits) {}
    int Ticks() const { return bits_ & 0x0f; }
    bool SaveSchedule() const { return bits_ & 0x10; }
    bool SaveLogon() const { return bits_ & 0x20; }
    bool SyncByHand() const { return bits_ & 0x40; }
    bool WalkToolbar() const { return bits_ & 0x80; }

private:
    std::uint8_t bits_;
};

// The record as the load must leave it: zero-filled when the key can't be
// opened, the defaults when nothing is stored, otherwise the stored bytes
// over a zero-filled record.
SetupInfo::Bytes ExpectedRecord(const Switches& switches, const Bytes& stored, const Clock& clock) {
    if (switches.UserKeyClosed()) return SetupInfo{}.ToBytes();
    if (switches.RecordMissing() || stored.empty()) {
        SetupInfo defaults;
        ResetSetupInfo(defaults, clock);
        return defaults.ToBytes();
    }
    SetupInfo::Bytes bytes{};
    std::copy_n(stored.begin(), std::min(stored.size(), SetupInfo::kSize), bytes.begin());
    return bytes;
}

bool KnownAction(const ActionLabel& label) {
    for (std::string_view known : {labels::kShutdown, labels::kForcedShutdown, labels::kHibernate, labels::kLock,
                                   labels::kLogOff, labels::kRestart})
        if (label == known) return true;
    return false;
}

// The lParam of a hotkey message for a held combination.
std::intptr_t HotkeyMessage(const FakeHotkeySystem::Combination& keys) {
    return static_cast<std::intptr_t>(keys.second << 16 | keys.first);
}

bool SelectionInRange(const ComboBox& combo) {
    return combo.ListIndex() >= -1 && combo.ListIndex() < combo.ListCount();
}

void PutLogonValue(FakeRegistry& registry, const Switches& switches, const char* name, const std::string& text) {
    if (switches.LogonValuesAsNumbers())
        registry.Put(Hive::LocalMachine, kWinlogonKey, name, FakeRegistry::Type::Dword,
                     Bytes(text.begin(), text.end()));
    else
        registry.PutText(Hive::LocalMachine, kWinlogonKey, name, text);
}

void RunProgram(FuzzedDataProvider& input) {
    const Switches switches(input.ConsumeIntegral<std::uint8_t>());
    const Steps steps(input.ConsumeIntegral<std::uint8_t>());
    // Any moment from 1990 on for about 136 years: a real clock never reads outside that.
    const auto base = MakeDate(std::chrono::year{1990} / 1 / 1);
    FakeClock clock(FromSeconds(ToSeconds(base) + input.ConsumeIntegral<std::uint32_t>()));

    FakeRegistry registry;
    PutLogonValue(registry, switches, kDefaultUserName, input.ConsumeRandomLengthString(64));
    PutLogonValue(registry, switches, kDefaultPassword, input.ConsumeRandomLengthString(64));
    PutLogonValue(registry, switches, kAutoAdminLogon, input.ConsumeRandomLengthString(8));
    const Bytes stored = input.ConsumeRemainingBytes<std::uint8_t>();
    if (!switches.RecordMissing())
        registry.Put(Hive::CurrentUser, kSettingsKey, kSettingsValue, switches.RecordType(), stored);
    if (switches.UserKeyClosed()) registry.DenyOpen(Hive::CurrentUser);
    if (switches.UserKeyReadOnly()) registry.DenyWrites(Hive::CurrentUser);
    if (switches.MachineKeyClosed()) registry.DenyOpen(Hive::LocalMachine);
    if (switches.MachineKeyReadOnly()) registry.DenyWrites(Hive::LocalMachine);

    FakeApplication app;
    FakeElevation elevation;
    FakeLogonTask task;
    std::vector<std::string> boxes;
    TracingMessageBox messageBox(boxes);
    StartWithWindows startUp(registry, app, task, elevation, messageBox);
    SetupStore store(registry, clock, startUp);
    store.LoadSetupInfo();
    Require(store.Info().ToBytes() == ExpectedRecord(switches, stored, clock),
            "the load lays the stored bytes over the record");
    SetupInfo copy;
    copy.Overlay(store.Info().ToBytes());
    Require(copy.ToBytes() == store.Info().ToBytes(), "the record's bytes survive a round trip");

    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FakeTcpClient socket;
    FakeClockSetter clockSetter(clock);
    FakeBrowser browser;
    FakeHotkeySystem hotkeys;
    FakeHotkeyRegistrar powerRegistrar(hotkeys, "FormKeyOff");
    FakeHotkeyRegistrar volumeRegistrar(hotkeys, "FormKeyVol");
    FakeAudioEndpoint device;
    ModuleSound sound(device);
    FormShutdown schedule(store, clock, dateTimeText, countdown, power);
    FormKeyOff powerKeys(store, powerRegistrar, countdown, power);
    FormKeyVol volumeKeys(store, volumeRegistrar, sound);
    powerKeys.Connect(volumeKeys);
    volumeKeys.Connect(powerKeys);
    FormEasyLogin logon(registry, store, elevation);
    frmSync sync(store, startUp, socket, clockSetter, clock, elevation);
    frmMain main({schedule, powerKeys, volumeKeys, logon, sync}, browser, app, clock, dateTimeText);

    main.Show();
    for (int i = 0; i < steps.Ticks(); ++i) {
        clock.Advance(std::chrono::seconds{1});
        schedule.Timer1.Tick();
        sync.timeLocal.Tick();
    }
    for (const auto& keys : hotkeys.Keys("FormKeyOff")) {
        Require(hotkeys.Keys("FormKeyVol").count(keys) == 0, "no key belongs to both panes");
        powerKeys.DoPowerKey(HotkeyMessage(keys));
    }
    for (const auto& keys : hotkeys.Keys("FormKeyVol")) volumeKeys.DoVolumeKey(HotkeyMessage(keys));
    if (steps.SaveSchedule()) schedule.CommandCloseTime.Click();
    if (steps.SaveLogon()) logon.CommandSave.Click();
    if (steps.SyncByHand()) sync.cSyncro.Click();
    if (steps.WalkToolbar())
        for (const char* key : {"一键关机", "一键静音", "开机自动登录", "网络自动校时", "定时关机"})
            main.tbToolBar.Click(key);

    for (const ComboBox* combo : {&schedule.ComboCloseTime, &sync.cmbServer, &sync.cmbGMT})
        Require(SelectionInRange(*combo), "a list's selection is one of its entries or none");
    for (const auto& call : countdown.calls)
        Require(KnownAction(call.label), "a countdown names one of the six actions");
    for (const auto& action : power.actions) Require(KnownAction(action), "an action is one of the six");
    if (const auto* now = registry.Find(Hive::CurrentUser, kSettingsKey, kSettingsValue);
        now && (switches.RecordMissing() || now->type != switches.RecordType() || now->bytes != stored)) {
        Require(now->type == FakeRegistry::Type::Binary && now->bytes.size() == SetupInfo::kSize,
                "a saved record is 56 binary bytes");
        const SetupInfo::Bytes inMemory = store.Info().ToBytes();
        Require(std::equal(inMemory.begin(), inMemory.end(), now->bytes.begin()),
                "the saved record is the one in memory");
    }

    main.tbToolBar.Click("退出");
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tavrin::RunProgram(input);
    return 0;
}
