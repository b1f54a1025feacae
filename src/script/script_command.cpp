#include "script/script_command.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

#include "script/script_switches.h"

namespace tavrin {

namespace {

using namespace std::chrono;

constexpr std::array<std::string_view, 6> kEnglishActions{"shutdown", "force",  "hibernate",
                                                          "lock",     "logoff", "restart"};
constexpr int kMaxReminderSeconds = 59;  // what the pane's reminder picker can show

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Blank-separated; double quotes group and are dropped, as scripts quote.
std::vector<std::string> Tokens(std::string_view arguments) {
    std::vector<std::string> tokens;
    std::string current;
    bool quoted = false, inToken = false;
    for (const char c : arguments) {
        if (c == '"') {
            quoted = !quoted;
            inToken = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inToken) tokens.push_back(std::move(current));
            current.clear();
            inToken = false;
        } else {
            current += c;
            inToken = true;
        }
    }
    if (inToken) tokens.push_back(std::move(current));
    return tokens;
}

bool IsSwitch(std::string_view token) { return IsScriptSwitch(token.data(), token.size()); }

// A whole number of at most `digits` digits, nothing else.
std::optional<int> Number(std::string_view s, std::size_t minDigits, std::size_t maxDigits) {
    if (s.size() < minDigits || s.size() > maxDigits) return std::nullopt;
    if (!std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
    int v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size()) return std::nullopt;
    return v;
}

// "45s", "90m", "1h30m", "2h": hours, minutes and seconds in that order.
std::optional<std::int64_t> Span(std::string_view text) {
    const std::string s = Lower(text);
    std::int64_t total = 0;
    std::size_t at = 0;
    char lastUnit = 0;
    while (at < s.size()) {
        const std::size_t unit = s.find_first_of("hms", at);
        if (unit == std::string::npos) return std::nullopt;
        const auto n = Number(std::string_view(s).substr(at, unit - at), 1, 6);
        // Each unit once, and larger ones first.
        const std::string_view order = "hms";
        if (!n || (lastUnit != 0 && order.find(s[unit]) <= order.find(lastUnit))) return std::nullopt;
        lastUnit = s[unit];
        total += *n * (lastUnit == 'h' ? 3600 : lastUnit == 'm' ? 60 : 1);
        at = unit + 1;
    }
    if (lastUnit == 0) return std::nullopt;
    return total;
}

// "23:00" or "23:00:30": seconds since midnight.
std::optional<std::int64_t> TimeOfDay(std::string_view s) {
    const std::size_t first = s.find(':');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = s.find(':', first + 1);
    const auto h = Number(s.substr(0, first), 1, 2);
    const auto m = Number(
        s.substr(first + 1, second == std::string_view::npos ? std::string_view::npos : second - first - 1), 2, 2);
    const auto sec = second == std::string_view::npos ? std::optional<int>{0} : Number(s.substr(second + 1), 2, 2);
    if (!h || !m || !sec || *h > 23 || *m > 59 || *sec > 59) return std::nullopt;
    return *h * 3600 + *m * 60 + *sec;
}

// "2026-12-24T23:00[:30]": seconds since day zero, local time.
std::optional<std::int64_t> DateAndTime(std::string_view s) {
    const std::size_t t = s.find_first_of("Tt");
    if (t != 10 || s[4] != '-' || s[7] != '-') return std::nullopt;
    const auto y = Number(s.substr(0, 4), 4, 4);
    const auto mo = Number(s.substr(5, 2), 2, 2);
    const auto d = Number(s.substr(8, 2), 2, 2);
    const auto time = TimeOfDay(s.substr(11));
    if (!y || !mo || !d || !time || *y < 1900) return std::nullopt;
    const year_month_day date{year{*y}, month{static_cast<unsigned>(*mo)}, day{static_cast<unsigned>(*d)}};
    if (!date.ok()) return std::nullopt;
    return ToSeconds(MakeDate(date)) + *time;
}

std::optional<std::int16_t> ActionIndex(std::string_view name) {
    for (std::size_t i = 0; i < kScheduleActions.size(); ++i)
        if (name == kScheduleActions[i] || Lower(name) == kEnglishActions[i]) return static_cast<std::int16_t>(i + 1);
    return std::nullopt;
}

std::string Quote(std::string_view part) { return "“" + std::string(part) + "”"; }

class Reader {
public:
    Reader(std::string_view arguments, OleDate now)
        : tokens_(Tokens(arguments)), now_(ToSeconds(now)), today_(ToSeconds(DatePart(now))) {}

    ParsedScript Read() {
        ParsedScript out;
        ScriptCommand& c = out.command;
        if (std::any_of(tokens_.begin(), tokens_.end(), [](const std::string& t) { return t == "/?"; })) return out;
        const std::string first = Lower(tokens_.empty() ? "" : tokens_.front());
        if (first == "/cancel" || first == "/status") {
            c.kind = first == "/cancel" ? ScriptCommand::Kind::Cancel : ScriptCommand::Kind::Status;
            if (tokens_.size() > 1) out.error = Quote(tokens_[1]) + "：" + tokens_.front() + " 不带其他参数。";
            return out;
        }
        c.kind = ScriptCommand::Kind::Arm;
        std::string timing;  // the first timing, as the user wrote it
        bool actionGiven = false;
        for (next_ = 0; next_ < tokens_.size() && out.error.empty();) {
            const std::string token = tokens_[next_++];
            const std::string name = Lower(token);
            if (name == "/action") {
                out.error = Once(actionGiven, token);
                if (out.error.empty()) out.error = ReadAction(c, token);
            } else if (name == "/in" || name == "/at" || name == "/daily") {
                if (timing.empty())
                    out.error = ReadTiming(c, token, name);
                else
                    out.error = Quote(token) + "：只能指定一个时间，前面已有 " + timing + "。";
                timing = token;
            } else if (name == "/remind" || name == "/noremind") {
                out.error = c.reminderGiven ? Quote(token) + "：提醒只能指定一次。" : ReadReminder(c, token, name);
            } else if (name == "/save") {
                out.error = Once(c.save, token);
            } else if (name == "/cancel" || name == "/status") {
                out.error = Quote(token) + " 不能与其他参数同时使用。";
            } else {
                out.error = Quote(token) + "：没有这个参数。";
            }
        }
        if (!out.error.empty()) return out;
        if (!actionGiven)
            out.error = "缺少 /action：要执行哪个动作？";
        else if (timing.empty())
            out.error = "缺少时间：请用 /in、/at 或 /daily 指定。";
        return out;
    }

private:
    static std::string Once(bool& given, std::string_view token) {
        if (given) return Quote(token) + " 重复了。";
        given = true;
        return {};
    }

    // The value after a switch, or an empty one when it is missing.
    std::optional<std::string> Value() {
        if (next_ >= tokens_.size() || IsSwitch(tokens_[next_])) return std::nullopt;
        return tokens_[next_++];
    }

    std::string ReadAction(ScriptCommand& c, std::string_view token) {
        const auto name = Value();
        if (!name) return Quote(token) + " 后面缺少动作。";
        const auto index = ActionIndex(*name);
        if (!index)
            return Quote(std::string(token) + " " + *name) +
                   "：动作应为 关机、强制关机、休眠、锁定、注销、重启，或 shutdown、force、hibernate、lock、logoff、"
                   "restart。";
        c.taskIndex = *index;
        return {};
    }

    std::string ReadTiming(ScriptCommand& c, std::string_view token, std::string_view name) {
        const auto value = Value();
        if (!value) return Quote(token) + " 后面缺少时间。";
        const std::string part = Quote(std::string(token) + " " + *value);
        if (name == "/in") {
            const auto span = Span(*value);
            if (!span || *span < 1 || *span >= kSecondsPerDay)
                return part + "：倒计时应为 1 秒到 23 小时 59 分 59 秒，例如 45s、90m、1h30m；更远的时间请用 /at。";
            c.timingMode = TimingMode::Countdown;
            c.timeOrSpan = FromSeconds(*span);
            return {};
        }
        if (name == "/daily") {
            const auto time = TimeOfDay(*value);
            if (!time) return part + "：时间应为 时:分 或 时:分:秒，例如 23:00 或 23:00:30。";
            c.timingMode = TimingMode::EveryDay;
            c.timeOrSpan = FromSeconds(*time);
            return {};
        }
        std::optional<std::int64_t> at;
        if (const auto time = TimeOfDay(*value)) {
            at = today_ + *time < now_ ? today_ + kSecondsPerDay + *time : today_ + *time;
        } else {
            at = DateAndTime(*value);
            if (!at) return part + "：时间应为 23:00、23:00:30 或 2026-12-24T23:00 这样的形式。";
            if (*at < now_) return part + "：这个时间已经过去。";
        }
        c.timingMode = TimingMode::DateAndTime;
        c.moment = FromSeconds(*at);
        return {};
    }

    std::string ReadReminder(ScriptCommand& c, std::string_view token, std::string_view name) {
        c.reminderGiven = true;
        if (name == "/noremind") return {};
        const auto value = Value();
        if (!value) return Quote(token) + " 后面缺少秒数。";
        const auto seconds = Number(*value, 1, 2);
        if (!seconds || *seconds > kMaxReminderSeconds)
            return Quote(std::string(token) + " " + *value) + "：提醒应为 0 到 59 秒。";
        c.reminderSeconds = static_cast<std::int16_t>(*seconds);
        return {};
    }

    std::vector<std::string> tokens_;
    std::int64_t now_;
    std::int64_t today_;  // its midnight
    std::size_t next_ = 0;
};

}  // namespace

ScheduledTask ScriptCommand::Over(ScheduledTask task) const {
    task.TaskIndex = taskIndex;
    task.TimingMode = timingMode;
    if (timingMode == TimingMode::DateAndTime) {
        task.CloseDate = DatePart(moment);
        task.CloseTime = TimePart(moment);
    } else if (timingMode == TimingMode::Countdown) {
        task.CountDownSpan = timeOrSpan;
    } else if (timingMode == TimingMode::EveryDay) {
        task.AllDayTime = timeOrSpan;
    }
    if (reminderGiven) {
        task.CountdownEnabled = reminderSeconds >= 0 ? -1 : 0;
        if (reminderSeconds >= 0) task.CountdownSeconds = reminderSeconds;
    }
    return task;
}

bool IsScriptCommand(std::string_view arguments) { return StartsWithScriptSwitch(arguments.data(), arguments.size()); }

ParsedScript ParseScriptCommand(std::string_view arguments, OleDate now) { return Reader(arguments, now).Read(); }

}  // namespace tavrin
