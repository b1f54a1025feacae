#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// A power action named by the Chinese caption the user sees; compared exactly.
using ActionLabel = std::string;

namespace labels {
inline constexpr std::string_view kShutdown = "关机";
inline constexpr std::string_view kForcedShutdown = "强制关机";
inline constexpr std::string_view kHibernate = "休眠";
inline constexpr std::string_view kLock = "锁定";
inline constexpr std::string_view kLogOff = "注销";
inline constexpr std::string_view kRestart = "重启";
inline constexpr std::string_view kMonitorOff = "关显示器";   // the countdown dialog's only
inline constexpr std::string_view kOpenAddress = "打开网址";  // known, but runs nothing
inline constexpr std::string_view kRemind = "提醒";           // the countdown dialog's reminder mode
}  // namespace labels

}  // namespace tavrin
