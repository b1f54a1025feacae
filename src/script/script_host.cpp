#include "script/script_host.h"

#include "app/setup_store.h"
#include "ports/clock.h"
#include "schedule/form_shutdown.h"
#include "schedule/format_span.h"
#include "script/script_reply.h"

namespace tavrin {

namespace {

constexpr std::size_t kLongestRequest = 4096;

std::string Describe(const ScheduleStatus& s) {
    std::string left = FormatSpan(static_cast<std::int32_t>(s.secondsLeft / kSecondsPerDay),
                                  static_cast<std::int32_t>(s.secondsLeft % kSecondsPerDay));
    if (left.empty()) left = "0秒";
    const std::string what = s.state == ScheduleStatus::State::Postponed ? "已推迟的" + s.label : s.label;
    return what + "，" + s.moment + "，剩余 " + left + "。";
}

}  // namespace

ScriptHost::ScriptHost(FormShutdown& schedule, SetupStore& store, const Clock& clock)
    : schedule_(schedule), store_(store), clock_(clock) {}

std::string ScriptHost::Handle(std::string_view request) {
    if (request.size() > kLongestRequest) return EncodeReply({ScriptExit::Malformed, "命令太长。"});
    const ParsedScript parsed = ParseScriptCommand(request, clock_.Now());
    if (!parsed.error.empty()) return EncodeReply({ScriptExit::Malformed, parsed.error});
    const ScriptCommand& c = parsed.command;
    switch (c.kind) {
        case ScriptCommand::Kind::Status: {
            const ScheduleStatus s = schedule_.Status();
            if (s.state == ScheduleStatus::State::Idle)
                return EncodeReply({ScriptExit::NothingArmed, "没有设定的任务。"});
            return EncodeReply({ScriptExit::Done, Describe(s)});
        }
        case ScriptCommand::Kind::Cancel: {
            const ScheduleStatus s = schedule_.Status();
            if (!schedule_.StopTiming()) return EncodeReply({ScriptExit::Done, "没有设定的任务，无需取消。"});
            return EncodeReply({ScriptExit::Done, "已取消：" + Describe(s)});
        }
        case ScriptCommand::Kind::Arm: {
            if (!schedule_.Arm(c.Over(TaskOf(store_.Info())), c.save))
                return EncodeReply({ScriptExit::Malformed, "这个时间已经过去，没有做任何更改。"});
            if (onArmed) onArmed();
            const ScheduleStatus s = schedule_.Status();
            const std::string saved = c.save ? "已保存。" : "";
            // A moment that is now has fired already.
            if (s.state == ScheduleStatus::State::Idle) return EncodeReply({ScriptExit::Done, "已开始执行。" + saved});
            return EncodeReply({ScriptExit::Done, "已设定：" + Describe(s) + saved});
        }
        case ScriptCommand::Kind::Help:
            break;
    }
    return EncodeReply({ScriptExit::Done, {}});
}

}  // namespace tavrin
