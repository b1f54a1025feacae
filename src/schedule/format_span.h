#pragma once
#include <cstdint>
#include <string>

namespace tavrin {

// A remaining time as the schedule's caption shows it: "1天 2小时 3分 4秒",
// zero parts left out. Days come only from `days`, so 90000 seconds read
// 25小时. A span of zero or less reads as nothing.
std::string FormatSpan(std::int32_t days, std::int32_t seconds);

// A number of seconds, whole days counted as days: 90000 reads 1天 1小时.
std::string FormatSeconds(std::int64_t seconds);

// The time left as a notice or an answer names it: never empty, "0秒" when
// nothing is left.
std::string FormatTimeLeft(std::int64_t seconds);

}  // namespace tavrin
