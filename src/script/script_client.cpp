#include "script/script_client.h"

#include <string>

#include "common/command_line.h"
#include "common/identity.h"
#include "ports/application.h"
#include "ports/clock.h"
#include "ports/console.h"
#include "ports/message_box.h"
#include "ports/running_copy.h"
#include "script/script_command.h"
#include "script/script_reply.h"

namespace tavrin {

namespace {

std::string HelpText(const std::string& exe) {
    return "用法：\n"
           "  " +
           exe +
           " /action 动作 时间 [/remind 秒数 | /noremind] [/save]\n"
           "  " +
           exe +
           " /cancel | /status | /?\n"
           "\n"
           "动作    关机 强制关机 休眠 锁定 注销 重启\n"
           "        或 shutdown force hibernate lock logoff restart\n"
           "时间    /in 45s、90m、1h30m       倒计时，短于 24 小时\n"
           "        /at 23:00 或 23:00:30     今天这个时间，已过则明天\n"
           "        /at 2026-12-24T23:00      指定日期和时间\n"
           "        /daily 23:00              每天这个时间\n"
           "/remind 秒数   执行前倒计时提醒 0 到 59 秒；/noremind 不提醒；都不写则照已保存的设置\n"
           "/save          同“保存并应用”，保存为定时任务；不写则只执行这一次，不保存\n"
           "/cancel        取消已设定的任务\n"
           "/status        显示已设定的任务和剩余时间\n"
           "\n"
           "程序没有运行时，/action 会在后台启动它。\n"
           "退出码  0 完成；1 没有设定的任务；2 命令有误，没有做任何更改；\n"
           "        3 程序没有运行（或这里不能运行）；4 程序没有接受或没有回答。\n";
}

bool IsFailure(ScriptExit exit) {
    return exit == ScriptExit::Malformed || exit == ScriptExit::NotRunning || exit == ScriptExit::NoAnswer;
}

// Started outside any console, only help and failures are worth a box.
int Answer(const ScriptClientPorts& p, const ScriptReply& reply, bool help = false) {
    if (!p.console.Write(reply.text + "\n") && (help || IsFailure(reply.exit)))
        p.messageBox.ShowMessage(reply.text, kAppTitle);
    return static_cast<int>(reply.exit);
}

}  // namespace

std::optional<int> RunScriptCommand(ScriptClientPorts p) {
    const std::string arguments = p.app.Arguments();
    if (!IsScriptCommand(arguments)) return std::nullopt;
    if (arguments.size() > kLongestScriptCommand) return Answer(p, {ScriptExit::Malformed, "命令太长。"});
    const ParsedScript parsed = ParseScriptCommand(arguments, p.clock.Now());
    if (!parsed.error.empty()) return Answer(p, {ScriptExit::Malformed, parsed.error + "\n输入 /? 查看用法。"});
    const ScriptCommand::Kind kind = parsed.command.kind;
    if (kind == ScriptCommand::Kind::Help)
        return Answer(p, {ScriptExit::Done, HelpText(p.app.ExeBaseName() + ".exe")}, true);

    using Outcome = RunningCopy::Relayed::Outcome;
    const std::string caption = MainWindowCaption();
    RunningCopy::Relayed relayed = p.runningCopy.Relay(caption, arguments);
    if (relayed.outcome == Outcome::NotRunning) {
        if (kind != ScriptCommand::Kind::Arm)
            return Answer(p, {ScriptExit::NotRunning, std::string(kAppTitle) + " 没有在运行。"});
        // A copy here would count down where nobody sees it or can cancel it.
        if (!p.app.OnUsersDesktop())
            return Answer(p, {ScriptExit::NotRunning,
                              "这里没有用户的桌面（例如以 SYSTEM 身份或在服务中运行）：请在用户登录后的会话中运行，"
                              "任务没有设定。"});
        if (!p.runningCopy.Start(kResidentStart, caption))
            return Answer(p, {ScriptExit::NoAnswer, "无法在后台启动程序，任务没有设定。"});
        relayed = p.runningCopy.Relay(caption, arguments);
    }
    if (relayed.outcome == Outcome::Refused)
        return Answer(p, {ScriptExit::NoAnswer,
                          "运行中的程序没有接受这个命令（它可能以更高的权限运行，或还在启动）：没有做任何更改。"});
    const auto reply = relayed.outcome == Outcome::Answered ? DecodeReply(relayed.reply) : std::nullopt;
    if (!reply)
        return Answer(p, {ScriptExit::NoAnswer, "程序没有回答，任务可能已设定，也可能没有：请用 /status 查看。"});
    return Answer(p, *reply);
}

}  // namespace tavrin
