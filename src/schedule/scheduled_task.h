#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "common/ole_date.h"
#include "power/action_label.h"
#include "settings/setup_info.h"

namespace tavrin {

// One power action and when it runs: the stored task, or a one-off that a
// command armed and nothing stores. Fields as the settings record has them.
struct ScheduledTask {
    std::int16_t TaskIndex = 0;
    std::int16_t CountdownEnabled = 0;
    std::int16_t CountdownSeconds = 0;
    tavrin::TimingMode TimingMode{};
    OleDate CloseDate;
    OleDate CloseTime;
    OleDate CountDownSpan;
    OleDate AllDayTime;

    friend bool operator==(const ScheduledTask&, const ScheduledTask&) = default;
};

// The schedule's actions, in list order: TaskIndex 1 is the first.
inline constexpr std::array<std::string_view, 6> kScheduleActions{
    labels::kShutdown, labels::kForcedShutdown, labels::kHibernate, labels::kLock, labels::kLogOff, labels::kRestart};

inline ScheduledTask TaskOf(const SetupInfo& info) {
    return {info.TaskIndex, info.CountdownEnabled, info.CountdownSeconds, info.TimingMode,
            info.CloseDate, info.CloseTime,        info.CountDownSpan,    info.AllDayTime};
}

}  // namespace tavrin
