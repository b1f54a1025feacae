// Whatever another process hands the running copy as a command: the reply is
// always one of ours, and a command it cannot read changes nothing, neither
// the stored record nor what is armed.
#include <cstdint>
#include <string>

#include "fakes/fake_countdown_launcher.h"
#include "fakes/fake_date_time_text.h"
#include "fakes/fake_power_action_runner.h"
#include "fakes/settings_rig.h"
#include "fuzz/require.h"
#include "schedule/form_shutdown.h"
#include "script/script_host.h"
#include "script/script_reply.h"

namespace tavrin {
namespace {

using namespace testing;

struct HostRig : SettingsRig {
    FakeDateTimeText dateTimeText;
    FakeCountdownLauncher countdown;
    FakePowerActionRunner power;
    FormShutdown schedule{store, clock, dateTimeText, countdown, power};
    ScriptHost host{schedule, countdown, store, clock};
};

void HandleTwice(const std::string& request) {
    HostRig rig;
    ResetSetupInfo(rig.store.Info(), rig.clock);
    rig.schedule.Load();
    // The second time with a task armed, so a refusal has something to keep.
    for (const char* before : {"", "/action 关机 /in 1h /save"}) {
        if (*before) rig.host.Handle(before);
        const SetupInfo stored = rig.Stored();
        const ScheduleStatus status = rig.schedule.Status();
        const auto reply = DecodeReply(rig.host.Handle(request));
        Require(reply.has_value(), "the reply is one of ours");
        Require(reply->exit <= ScriptExit::Malformed, "the copy answers done, nothing armed or malformed");
        if (reply->exit != ScriptExit::Malformed) continue;
        Require(rig.Stored() == stored, "a malformed command stores nothing");
        const ScheduleStatus after = rig.schedule.Status();
        Require(after.state == status.state && after.label == status.label, "nor changes what is armed");
    }
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavrin::HandleTwice(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
