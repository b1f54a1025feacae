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
#include <string>
#include <vector>

#include "fakes/program_rig.h"
#include "fuzz/require.h"
#include "power/action_label.h"

namespace tavrin {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

// The switches byte: bit 0/1 the user's key closed/read-only, 2/3 the
// machine's; bits 4-5 the record's type (binary, text, number: the load reads
// any); bit 6 the logon values stored as numbers (no text); bit 7 no record.
// The steps byte: bits 0-2 ticks; then a hidden start, the schedule saved, the
// logon saved, a sync by hand, a walk over the toolbar.
constexpr FakeRegistry::Type kRecordTypes[] = {FakeRegistry::Type::Binary, FakeRegistry::Type::Text,
                                               FakeRegistry::Type::Dword, FakeRegistry::Type::Binary};

// The record as the load must leave it: zero-filled when the key can't be
// opened, the defaults when nothing is stored, otherwise the stored bytes
// over a zero-filled record.
SetupInfo::Bytes ExpectedRecord(bool keyClosed, bool missing, const Bytes& stored, const Clock& clock) {
    SetupInfo info;
    if (keyClosed) return info.ToBytes();
    if (missing || stored.empty()) {
        ResetSetupInfo(info, clock);
        return info.ToBytes();
    }
    SetupInfo::Bytes bytes{};
    std::copy_n(stored.begin(), std::min(stored.size(), SetupInfo::kSize), bytes.begin());
    return bytes;
}

constexpr std::string_view kSixActions[] = {labels::kShutdown, labels::kLock,    labels::kForcedShutdown,
                                            labels::kLogOff,   labels::kRestart, labels::kHibernate};

void RunProgram(FuzzedDataProvider& input) {
    const std::uint8_t switches = input.ConsumeIntegral<std::uint8_t>(), steps = input.ConsumeIntegral<std::uint8_t>();
    const bool missing = switches & 0x80, hidden = steps & 0x08;
    const FakeRegistry::Type recordType = kRecordTypes[(switches >> 4) & 0x03];
    // Any moment from 1990 on for about 136 years: a real clock never reads outside that.
    const auto base = MakeDate(std::chrono::year{1990} / 1 / 1);
    ProgramRig rig;
    FakeClock& clock = rig.clock;
    FakeRegistry& registry = rig.registry;
    clock.SetNow(FromSeconds(ToSeconds(base) + input.ConsumeIntegral<std::uint32_t>()));
    for (const auto& [name, length] : {std::pair{kDefaultUserName, 64}, {kDefaultPassword, 64}, {kAutoAdminLogon, 8}}) {
        const std::string text = input.ConsumeRandomLengthString(length);
        if (switches & 0x40)
            registry.Put(Hive::LocalMachine, kWinlogonKey, name, FakeRegistry::Type::Dword,
                         Bytes(text.begin(), text.end()));
        else
            registry.PutText(Hive::LocalMachine, kWinlogonKey, name, text);
    }
    const Bytes stored = input.ConsumeRemainingBytes<std::uint8_t>();
    if (!missing) registry.Put(Hive::CurrentUser, kSettingsKey, kSettingsValue, recordType, stored);
    for (const auto hive : {Hive::CurrentUser, Hive::LocalMachine}) {
        const int shift = hive == Hive::CurrentUser ? 0 : 2;
        if (switches >> shift & 0x01) registry.DenyOpen(hive);
        if (switches >> shift & 0x02) registry.DenyWrites(hive);
    }

    rig.app.arguments = hidden ? "/run" : "";
    Require(!rig.program.Start(), "a first start runs");
    Models& m = rig.M();
    Require(m.main.Visible() != hidden, "a hidden start shows no window");
    // Any bytes of a whole record come back unchanged: no field reads them into something else.
    Require(rig.recordAtWindows.ToBytes() == ExpectedRecord(switches & 0x01, missing, stored, clock),
            "the load lays the stored bytes over the record");

    for (int i = 0; i < (steps & 0x07); ++i) {
        clock.Advance(std::chrono::seconds{1});
        m.shutdown.Timer1.Tick();
        m.sync.timeLocal.Tick();
    }
    const auto& hotkeys = rig.hotkeys;
    // The lParam of a hotkey message: the key above, the modifiers below.
    const auto message = [](const auto& keys) { return static_cast<std::intptr_t>(keys.second << 16 | keys.first); };
    for (const auto& keys : hotkeys.Keys("FormKeyOff")) {
        Require(hotkeys.Keys("FormKeyVol").count(keys) == 0, "no key belongs to both panes");
        m.keyOff.DoPowerKey(message(keys));
    }
    for (const auto& keys : hotkeys.Keys("FormKeyVol")) m.keyVol.DoVolumeKey(message(keys));
    if (steps & 0x10) m.shutdown.CommandCloseTime.Click();
    if (steps & 0x20) m.easyLogin.CommandSave.Click();
    if (steps & 0x40) m.sync.cSyncro.Click();
    if (steps & 0x80)
        for (const char* key : {"一键关机", "一键静音", "开机自动登录", "网络自动校时", "定时关机"})
            m.main.tbToolBar.Click(key);

    for (const ComboBox* combo : {&m.shutdown.ComboCloseTime, &m.sync.cmbServer, &m.sync.cmbGMT})
        Require(combo->ListIndex() >= -1 && combo->ListIndex() < combo->ListCount(),
                "a list's selection is one of its entries or none");
    for (const auto& pending : rig.program.Countdowns().Pending())
        Require(std::ranges::count(kSixActions, pending.label) == 1, "a countdown names one of the six actions");
    if (const auto* now = registry.Find(Hive::CurrentUser, kSettingsKey, kSettingsValue);
        now && (missing || now->type != recordType || now->bytes != stored)) {
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
