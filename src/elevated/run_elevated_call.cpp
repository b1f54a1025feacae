#include "elevated/run_elevated_call.h"

#include <chrono>
#include <memory>

#include "elevated/elevated_call.h"
#include "elevated/logon_task_registration.h"
#include "ports/clock.h"
#include "ports/clock_setter.h"
#include "ports/elevation.h"
#include "ports/logon_task.h"
#include "timesync/clock_result_text.h"

namespace tavrin {

namespace {

// Longer than any prompt takes to answer; an older time is not set at all.
constexpr std::chrono::minutes kTimeStaysFresh{10};

struct Perform {
    ElevatedCallPorts& ports;
    const std::optional<std::string>& input;

    std::string operator()(LogonRequest request) const {
        if (request.settings.logonOn && (!input || !ReadLogonInput(*input, request.settings)))
            return "自动登录设置未保存：未收到帐户";
        return ApplyLogonSettings(ports.registry, request.settings);
    }
    std::string operator()(const ClockRequest& request) const {
        const auto waited = ports.clock.Monotonic() - std::chrono::milliseconds{request.readAtMs};
        if (waited < std::chrono::milliseconds{0} || waited > kTimeStaysFresh) return "校时失败：收到的时间已过时";
        const auto seconds = std::chrono::round<std::chrono::seconds>(waited).count();
        return std::string(ClockResultText(ports.clockSetter.SetUtc(FromSeconds(request.utcSeconds + seconds))));
    }
    std::string operator()(const TaskRequest& request) const {
        const std::string user = request.user.empty() ? ports.task.CurrentUser() : request.user;
        if (request.present) return RegisterLogonTask(ports.task, ports.app, user);
        const Outcome outcome = ports.task.Delete(user);
        return outcome ? std::string{} : outcome.Reason();
    }
};

}  // namespace

std::optional<int> RunIfElevatedCall(std::string_view arguments, ElevatedCallPorts ports) {
    if (!IsElevatedCall(arguments)) return std::nullopt;
    const auto call = ParseElevatedCall(arguments);
    if (!call) return kExitUnreadable;
    std::unique_ptr<CallerChannel> channel;
    std::optional<std::string> input;
    if (call->channel != kNoChannel) {
        channel = ports.elevation.ConnectCaller(call->channel);
        // A channel that is not the caller's own gets nothing done.
        if (!channel) return kExitUnreadable;
        input = channel->Input();
        if (!input) return kExitUnreadable;
    }
    const std::string report = std::visit(Perform{ports, input}, call->operation);
    if (channel) channel->Answer(report);
    return report.empty() ? kExitDone : kExitRefused;
}

}  // namespace tavrin
