#include "script/script_host.h"

#include "countdown/countdown_launcher.h"
#include "ports/clock.h"
#include "schedule/form_shutdown.h"
#include "schedule/format_span.h"
#include "script/script_reply.h"
#include "settings/setup_store.h"

namespace tavrin {

namespace {

std::string Describe(const ScheduleStatus& s) {
    const std::string what = s.state == ScheduleStatus::State::Postponed ? "已推迟的" + s.label : s.label;
    return what + "，" + s.moment + "，剩余 " + FormatTimeLeft(s.secondsLeft) + "。";
}

// The countdown dialogs already counting: an action as near as the armed one.
std::string Describe(const std::vector<PendingCountdown>& pending) {
    std::string text;
    for (const PendingCountdown& p : pending)
        text += "正在倒计时：" + p.label + "，剩余 " + FormatTimeLeft(p.secondsLeft) + "。";
    return text;
}

}  // namespace

ScriptHost::ScriptHost(FormShutdown& schedule, CountdownLauncher& countdowns, SetupStore& store, const Clock& clock)
    : schedule_(schedule), countdowns_(countdowns), store_(store), clock_(clock) {}

std::string ScriptHost::Handle(std::string_view request) {
    if (request.size() > kLongestScriptCommand) return EncodeReply({ScriptExit::Malformed, "命令太长。"});
    // One reading of the clock: a moment read as ahead is armed as ahead.
    const OleDate now = clock_.Now();
    const ParsedScript parsed = ParseScriptCommand(request, now);
    if (!parsed.error.empty()) return EncodeReply({ScriptExit::Malformed, parsed.error});
    const ScriptCommand& c = parsed.command;
    switch (c.kind) {
        case ScriptCommand::Kind::Status:
            return Status();
        case ScriptCommand::Kind::Cancel:
            return Cancel();
        case ScriptCommand::Kind::Arm: {
            const ScheduleStatus replaced = schedule_.ArmedStatus();
            if (!schedule_.Arm(c.Over(TaskOf(store_.Info())), c.save, now))
                return EncodeReply({ScriptExit::Malformed, "这个时间已经过去，没有做任何更改。"});
            if (onArmed) onArmed();
            const ScheduleStatus armed = schedule_.ArmedStatus();
            std::string text = armed.state == ScheduleStatus::State::Idle
                                   ? "已开始执行。"  // a moment that is now has fired already
                                   : "已设定：" + Describe(armed);
            if (replaced.state != ScheduleStatus::State::Idle) text += "取代了原来的任务：" + Describe(replaced);
            if (c.save) text += "已保存。";
            return EncodeReply({ScriptExit::Done, text});
        }
        case ScriptCommand::Kind::Help:
            break;
    }
    return EncodeReply({ScriptExit::Done, {}});
}

std::string ScriptHost::Status() const {
    const ScheduleStatus s = schedule_.Status();
    const std::string counting = Describe(countdowns_.Pending());
    if (s.state == ScheduleStatus::State::Idle && counting.empty())
        return EncodeReply({ScriptExit::NothingArmed, "没有设定的任务。"});
    return EncodeReply({ScriptExit::Done, counting + (s.state == ScheduleStatus::State::Idle ? "" : Describe(s))});
}

// Whatever would act without another word: the armed task, the postponed
// actions and the countdowns already running.
std::string ScriptHost::Cancel() {
    const ScheduleStatus s = schedule_.Status();
    const std::string counting = Describe(countdowns_.Pending());
    const bool stopped = schedule_.StopTiming();
    const bool closed = countdowns_.CancelAll();
    if (!stopped && !closed) return EncodeReply({ScriptExit::Done, "没有设定的任务，无需取消。"});
    return EncodeReply({ScriptExit::Done, "已取消：" + counting + (stopped ? Describe(s) : "")});
}

}  // namespace tavrin
