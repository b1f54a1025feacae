#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/ole_date.h"
#include "settings/key_sets.h"
#include "settings/sync_mode.h"
#include "settings/timing_mode.h"

namespace tavrin {

class Clock;

// The program's one settings record. Its stored form is exactly 56 bytes:
// these fields in this order, little-endian, no padding, dates as 8-byte
// doubles. The process starts with it zero-filled.
struct SetupInfo {
    static constexpr std::size_t kSize = 56;
    using Bytes = std::array<std::uint8_t, kSize>;

    std::int16_t TaskIndex = 0;         // 1-based position in the schedule's action list
    std::int16_t CountdownEnabled = 0;  // -1 on, 0 off
    std::int16_t CountdownSeconds = 0;
    tavrin::TimingMode TimingMode{};
    OleDate CloseDate;
    OleDate CloseTime;
    OleDate CountDownSpan;
    OleDate AllDayTime;
    std::int16_t StartCloseTask = 0;
    tavrin::SyncMode SyncMode{};
    std::int16_t AutoLogonLock = 0;
    tavrin::PowerKeySet PowerKeySet{};
    std::int16_t PowerKeyCountdown = 0;
    std::int16_t PowerKeysEnabled = 0;
    tavrin::VolumeKeySet VolumeKeySet{};
    std::int16_t VolumeKeysEnabled = 0;

    Bytes ToBytes() const;
    // Lays stored bytes over the start of the record: a short value leaves the
    // fields past its end as they are, a long one fills only the record.
    void Overlay(std::span<const std::uint8_t> stored);

    friend bool operator==(const SetupInfo&, const SetupInfo&) = default;
};

// The defaults; today's date and the time of day come from the clock.
void ResetSetupInfo(SetupInfo& info, const Clock& clock);

}  // namespace tavrin
