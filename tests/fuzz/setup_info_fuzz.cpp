// The whole program, wired as it runs, started over whatever the registry
// holds: any bytes of any length as the settings record, a few of them as the
// automatic-logon values in Winlogon; then a start, shown or hidden, a few
// seconds of ticks, each hotkey that a pane holds, and some button presses.
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

#include "fakes/program_rig.h"
#include "fuzz/require.h"
#include "power/action_label.h"

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
    int Ticks() const { return bits_ & 0x07; }
    bool HiddenStart() const { return bits_ & 0x08; }
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
    ProgramRig rig;
    FakeClock& clock = rig.clock;
    FakeRegistry& registry = rig.registry;
    clock.SetNow(FromSeconds(ToSeconds(base) + input.ConsumeIntegral<std::uint32_t>()));
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

    rig.app.arguments = steps.HiddenStart() ? "/run" : "";
    Require(!rig.program.Start(), "a first start runs");
    Models& m = rig.M();
    Require(m.main.Visible() != steps.HiddenStart(), "a hidden start shows no window");
    Require(rig.recordAtWindows.ToBytes() == ExpectedRecord(switches, stored, clock),
            "the load lays the stored bytes over the record");
    SetupInfo copy;
    copy.Overlay(rig.recordAtWindows.ToBytes());
    Require(copy.ToBytes() == rig.recordAtWindows.ToBytes(), "the record's bytes survive a round trip");

    for (int i = 0; i < steps.Ticks(); ++i) {
        clock.Advance(std::chrono::seconds{1});
        m.shutdown.Timer1.Tick();
        m.sync.timeLocal.Tick();
    }
    const auto& hotkeys = rig.hotkeys;
    for (const auto& keys : hotkeys.Keys("FormKeyOff")) {
        Require(hotkeys.Keys("FormKeyVol").count(keys) == 0, "no key belongs to both panes");
        m.keyOff.DoPowerKey(HotkeyMessage(keys));
    }
    for (const auto& keys : hotkeys.Keys("FormKeyVol")) m.keyVol.DoVolumeKey(HotkeyMessage(keys));
    if (steps.SaveSchedule()) m.shutdown.CommandCloseTime.Click();
    if (steps.SaveLogon()) m.easyLogin.CommandSave.Click();
    if (steps.SyncByHand()) m.sync.cSyncro.Click();
    if (steps.WalkToolbar())
        for (const char* key : {"一键关机", "一键静音", "开机自动登录", "网络自动校时", "定时关机"})
            m.main.tbToolBar.Click(key);

    for (const ComboBox* combo : {&m.shutdown.ComboCloseTime, &m.sync.cmbServer, &m.sync.cmbGMT})
        Require(SelectionInRange(*combo), "a list's selection is one of its entries or none");
    for (const auto& pending : rig.program.Countdowns().Pending())
        Require(KnownAction(pending.label), "a countdown names one of the six actions");
    if (const auto* now = registry.Find(Hive::CurrentUser, kSettingsKey, kSettingsValue);
        now && (switches.RecordMissing() || now->type != switches.RecordType() || now->bytes != stored)) {
        Require(now->type == FakeRegistry::Type::Binary && now->bytes.size() == SetupInfo::kSize,
                "a saved record is 56 binary bytes");
        const SetupInfo::Bytes inMemory = rig.program.Store().Info().ToBytes();
        Require(std::equal(inMemory.begin(), inMemory.end(), now->bytes.begin()),
                "the saved record is the one in memory");
    }

    m.main.tbToolBar.Click("退出");
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    tavrin::RunProgram(input);
    return 0;
}
