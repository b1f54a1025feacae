#include "script/script_command.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tavrin {
namespace {

using namespace std::chrono;

// What a command arms, in a script writer's words.
std::string Arms(const ScriptCommand& c) {
    const CivilDateTime at = ToCivil(c.timingMode == 1 ? c.moment : c.timeOrSpan);
    char when[40];
    if (c.timingMode == 1)
        std::snprintf(when, sizeof when, "at %d-%02u-%02u %02lld:%02lld:%02lld", int(at.date.year()),
                      unsigned(at.date.month()), unsigned(at.date.day()), (long long)at.time.hours().count(),
                      (long long)at.time.minutes().count(), (long long)at.time.seconds().count());
    else
        std::snprintf(when, sizeof when, "%s %llds", c.timingMode == 2 ? "in" : "daily",
                      (long long)ToSeconds(c.timeOrSpan));
    const std::string reminder = !c.reminderGiven        ? "as stored"
                                 : c.reminderSeconds < 0 ? "no reminder"
                                                         : "remind " + std::to_string(c.reminderSeconds);
    return std::to_string(c.taskIndex) + " " + when + ", " + reminder + (c.save ? ", saved" : "");
}

TEST(ScriptCommand, ReadsWhatScriptsWriteAndNamesThePartItCannotRead) {
    const OleDate now = MakeDateTime(year{2026} / 12 / 6, hours{20});
    struct Case {
        const char* arguments;
        const char* arms;  // or, for a malformed command, the part its message names
    };
    const Case good[] = {
        {"/action 关机 /in 90m", "1 in 5400s, as stored"},
        {"/action shutdown /in 1h30m /remind 10 /save", "1 in 5400s, remind 10, saved"},
        {"/ACTION Lock /IN 45s /noremind", "4 in 45s, no reminder"},
        {"/in 23h59m59s /action 重启", "6 in 86399s, as stored"},
        {"/action force /at 23:00", "2 at 2026-12-06 23:00:00, as stored"},
        {"/action 休眠 /at 23:59:59 /remind 0", "3 at 2026-12-06 23:59:59, remind 0"},
        {"/action restart /at 19:59:59", "6 at 2026-12-07 19:59:59, as stored"},  // passed: tomorrow
        {"/action 重启 /at 20:00", "6 at 2026-12-06 20:00:00, as stored"},        // now is not past
        {"/action 注销 /at 2026-12-24T23:00", "5 at 2026-12-24 23:00:00, as stored"},
        {"/action logoff /at 2027-01-01t00:00:30", "5 at 2027-01-01 00:00:30, as stored"},
        {"/action hibernate /daily 7:30 /save", "3 daily 27000s, as stored, saved"},
        {"/action \"锁定\" /in \"2h\"", "4 in 7200s, as stored"},
    };
    for (const Case& c : good) {
        const ParsedScript p = ParseScriptCommand(c.arguments, now);
        EXPECT_TRUE(IsScriptCommand(c.arguments)) << c.arguments;
        EXPECT_EQ(p.error, "") << c.arguments;
        EXPECT_EQ(p.command.kind, ScriptCommand::Kind::Arm) << c.arguments;
        EXPECT_EQ(Arms(p.command), c.arms) << c.arguments;
    }
    const Case malformed[] = {
        {"/action 关机 /in 0s", "“/in 0s”"},
        {"/action 关机 /in 24h", "“/in 24h”"},
        {"/action 关机 /in 30m1h", "“/in 30m1h”"},
        {"/action 关机 /in 5x", "“/in 5x”"},
        {"/action 关机 /in 1h-5m", "“/in 1h-5m”"},
        {"/action 关机 /daily -1:00", "“/daily -1:00”"},
        {"/action 关机 /at 24:00", "“/at 24:00”"},
        {"/action 关机 /daily 23:60", "“/daily 23:60”"},
        {"/action 关机 /at 2026-12-06T19:59", "“/at 2026-12-06T19:59”：这个时间已经过去"},
        {"/action 关机 /at 2026-02-29T10:00", "“/at 2026-02-29T10:00”"},
        {"/action 关机 /in 5m /at 23:00", "“/at”：只能指定一个时间，前面已有 /in"},
        {"/action sleep /in 5m", "“/action sleep”"},
        {"/action 关机 /action 重启 /in 5m", "“/action” 重复了"},
        {"/in 5m", "缺少 /action"},
        {"/action 关机 /save", "缺少时间"},
        {"/action 关机 /in", "“/in” 后面缺少时间"},
        {"/action /in 5m", "“/action” 后面缺少动作"},
        {"/action 关机 /in 5m /remind 60", "“/remind 60”"},
        {"/action 关机 /in 5m /remind 5 /noremind", "“/noremind”"},
        {"/action 关机 /in 5m /now", "“/now”：没有这个参数"},
        {"/action 关机 /in 5m /status", "“/status” 不能与其他参数同时使用"},
        {"/status /save", "“/save”：/status 不带其他参数"},
    };
    for (const Case& c : malformed) {
        const ParsedScript p = ParseScriptCommand(c.arguments, now);
        EXPECT_NE(p.error.find(c.arms), std::string::npos) << c.arguments << " → " << p.error;
    }
    const std::pair<const char*, ScriptCommand::Kind> others[] = {
        {"/status", ScriptCommand::Kind::Status},
        {"/Cancel", ScriptCommand::Kind::Cancel},
        {"/?", ScriptCommand::Kind::Help},
        {"/action 关机 /in 24h /?", ScriptCommand::Kind::Help},
    };
    for (const auto& [arguments, kind] : others) {
        EXPECT_EQ(ParseScriptCommand(arguments, now).command.kind, kind) << arguments;
        EXPECT_EQ(ParseScriptCommand(arguments, now).error, "") << arguments;
    }
    // The old meanings stay: the exact hidden words, and a window for anything else.
    for (const char* old : {"", "/run", "/start", "/Run", "run /status", "-action 关机", "C:\\x.txt /in 5m"})
        EXPECT_FALSE(IsScriptCommand(old)) << old;
}

}  // namespace
}  // namespace tavrin
