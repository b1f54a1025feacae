#include "script/script_command.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tavrin {
namespace {

using namespace std::chrono;
using enum TimingMode;

const OleDate kNow = MakeDateTime(year{2026} / 12 / 6, hours{20});

// `when` is seconds from today's midnight for a date and time, else the
// span or time of day; `reminder` -2 means as stored, -1 none.
TEST(ScriptCommand, ReadsWhatScriptsWrite) {
    const struct {
        const char* arguments;
        std::int16_t task;
        TimingMode mode;
        std::int64_t when;
        int reminder;
        bool save;
    } cases[] = {
        {"/ACTION Lock /IN 1h30m /noremind /save", 4, Countdown, 5400, -1, true},
        {"/in 23h59m59s /action \"重启\"", 6, Countdown, 86399, -2, false},
        {"/action force /at 23:00:30 /remind 0", 2, DateAndTime, 82830, 0, false},
        {"/action restart /at 19:59", 6, DateAndTime, 86400 + 71940, -2, false},  // passed: tomorrow
        {"/action 注销 /at 20:00", 5, DateAndTime, 72000, -2, false},             // now is not past
        {"/action logoff /at 2026-12-24t23:00 /remind 59", 5, DateAndTime, 18 * 86400 + 82800, 59, false},
        {"/action hibernate /daily 7:30", 3, EveryDay, 27000, -2, false},
    };
    for (const auto& c : cases) {
        const ParsedScript p = ParseScriptCommand(c.arguments, kNow);
        const ScriptCommand& s = p.command;
        const OleDate when =
            s.timingMode == DateAndTime ? FromSeconds(ToSeconds(s.moment) - ToSeconds(DatePart(kNow))) : s.timeOrSpan;
        EXPECT_TRUE(IsScriptCommand(c.arguments) && p.error.empty() && s.kind == ScriptCommand::Kind::Arm);
        EXPECT_EQ(
            std::tuple(s.taskIndex, s.timingMode, ToSeconds(when), s.reminderGiven ? s.reminderSeconds : -2, s.save),
            std::tuple(c.task, c.mode, c.when, c.reminder, c.save))
            << c.arguments;
    }
}

// Each malformed command names the part it could not read.
TEST(ScriptCommand, AMalformedCommandNamesThePartItCannotRead) {
    const std::pair<const char*, const char*> cases[] = {
        {"/action 关机 /in 0s", "“/in 0s”"},
        {"/action 关机 /in 24h", "“/in 24h”"},
        {"/action 关机 /in 5x", "“/in 5x”"},
        {"/action 关机 /in 5s5m", "“/in 5s5m”"},
        {"/action 关机 /daily 7:5", "“/daily 7:5”"},
        {"/action 关机 /daily 23:60", "“/daily 23:60”"},
        {"/action 关机 /daily 23:00:60", "“/daily 23:00:60”"},
        {"/action 关机 /at 2026-12-06T19:59", "这个时间已经过去"},
        {"/action 关机 /at 2026-02-29T10:00", "“/at 2026-02-29T10:00”"},
        {"/action 关机 /at 2026-012-1T10:00", "“/at 2026-012-1T10:00”"},
        {"/action 关机 /in 5m /at 23:00", "“/at”：只能指定一个时间"},
        {"/action sleep /in 5m", "“/action sleep”"},
        {"/in 5m", "缺少 /action"},
        {"/action 关机 /save", "缺少时间"},
        {"/action 关机 /in", "“/in” 后面缺少时间"},
        {"/action /in 5m", "“/action” 后面缺少动作"},
        {"/action 关机 /in 5m /remind 60", "“/remind 60”"},
        {"/action 关机 /in 5m /remind 5 /noremind", "“/noremind”"},
        {"/action 关机 /in 5m /status", "“/status” 不能与其他参数同时使用"},
        {"/action 关机 /in 5m /now", "“/now”：没有这个参数"},
        {"/status /save", "“/save”：/status 不带其他参数"},
    };
    for (const auto& [arguments, part] : cases)
        EXPECT_NE(ParseScriptCommand(arguments, kNow).error.find(part), std::string::npos) << arguments;
    EXPECT_EQ(ParseScriptCommand("/Cancel", kNow).command.kind, ScriptCommand::Kind::Cancel);
    EXPECT_EQ(ParseScriptCommand("/action 关机 /in 24h /?", kNow).command.kind, ScriptCommand::Kind::Help);
    // Anything else keeps its old meaning: the hidden words, or a window.
    for (const char* old : {"", "/run", "run /status", "-action 关机"}) EXPECT_FALSE(IsScriptCommand(old)) << old;
}

}  // namespace
}  // namespace tavrin
