#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "tweaks/logon_settings.h"

namespace tavrin {

// The work an elevated copy of the program may be started for, as its
// command line carries it. Nothing secret goes there: the account of a
// logon request travels over the caller's channel.
struct LogonRequest {
    LogonSettings settings;  // without the account
};
// A time read from a server: UTC in seconds since day zero, and the
// monotonic clock (shared by every process) when it was read, so the time
// the user takes to answer Windows is added before the clock is set.
struct ClockRequest {
    std::int64_t utcSeconds = 0;
    std::int64_t readAtMs = 0;
};
struct TaskRequest {
    bool present = false;
    std::string user;  // empty: the user the copy runs as
};
using ElevatedOperation = std::variant<LogonRequest, ClockRequest, TaskRequest>;

struct ElevatedCall {
    std::string channel;  // "-" when started by hand, without a caller
    ElevatedOperation operation;
};

inline constexpr std::string_view kNoChannel = "-";

// How an elevated copy ends: the caller learns the details over the channel.
enum ElevatedExit : int { kExitDone = 0, kExitRefused = 1, kExitUnreadable = 2 };

std::string FormatOperation(const ElevatedOperation& operation);
std::string ElevatedArguments(std::string_view channel, std::string_view operation);

// True for any command line meant for an elevated copy, readable or not:
// such a copy never opens a window.
bool IsElevatedCall(std::string_view arguments);
std::optional<ElevatedCall> ParseElevatedCall(std::string_view arguments);

// The account of a logon request, over the channel.
std::string LogonInput(const LogonSettings& settings);
bool ReadLogonInput(std::string_view input, LogonSettings& settings);

}  // namespace tavrin
