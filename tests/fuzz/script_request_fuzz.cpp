// Whatever another process hands the running copy as a command: the reply is
// always one of ours, and a command it cannot read changes nothing, neither
// the stored record nor what is armed.
#include <cstdint>
#include <string>

#include "fakes/program_rig.h"
#include "fuzz/require.h"
#include "script/script_reply.h"

namespace tavrin {
namespace {

using namespace testing;

void HandleTwice(const std::string& request) {
    ProgramRig rig;
    Require(!rig.program.Start(), "a first start runs");
    ScriptHost& host = rig.M().script;
    const FormShutdown& schedule = rig.M().shutdown;
    // The second time with a task armed, so a refusal has something to keep.
    for (const char* before : {"", "/action 关机 /in 1h /save"}) {
        if (*before) host.Handle(before);
        const auto stored = rig.registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue);
        const ScheduleStatus status = schedule.Status();
        const auto reply = DecodeReply(host.Handle(request));
        Require(reply.has_value(), "the reply is one of ours");
        Require(reply->exit <= ScriptExit::Malformed, "the copy answers done, nothing armed or malformed");
        if (reply->exit != ScriptExit::Malformed) continue;
        Require(rig.registry.Binary(Hive::CurrentUser, kSettingsKey, kSettingsValue) == stored,
                "a malformed command stores nothing");
        const ScheduleStatus after = schedule.Status();
        Require(after.state == status.state && after.label == status.label, "nor changes what is armed");
    }
}

}  // namespace
}  // namespace tavrin

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavrin::HandleTwice(std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
