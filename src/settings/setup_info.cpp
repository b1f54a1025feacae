#include "settings/setup_info.h"

#include <algorithm>
#include <bit>
#include <type_traits>

#include "ports/clock.h"

namespace tavrin {

namespace {

// Byte-level access in both directions, so the stored form is the same on
// every platform and a date's bits survive untouched.
class RecordBytes {
public:
    explicit RecordBytes(SetupInfo::Bytes& bytes) : bytes_(bytes) {}

    void Put(std::size_t at, std::int16_t v) { PutUnsigned(at, static_cast<std::uint16_t>(v), 2); }
    void Put(std::size_t at, OleDate d) { PutUnsigned(at, std::bit_cast<std::uint64_t>(d.value), 8); }

    void Get(std::size_t at, std::int16_t& v) const { v = static_cast<std::int16_t>(GetUnsigned(at, 2)); }
    void Get(std::size_t at, OleDate& d) const { d.value = std::bit_cast<double>(GetUnsigned(at, 8)); }
    // The modes and key sets are stored as their 16-bit values, a damaged one as it is.
    template <class Set>
    requires std::is_enum_v<Set>
    void Put(std::size_t at, Set v) { Put(at, static_cast<std::int16_t>(v)); }
    template <class Set>
    requires std::is_enum_v<Set>
    void Get(std::size_t at, Set& v) const {
        std::int16_t raw = 0;
        Get(at, raw);
        v = static_cast<Set>(raw);
    }

private:
    void PutUnsigned(std::size_t at, std::uint64_t v, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::uint64_t GetUnsigned(std::size_t at, std::size_t n) const {
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < n; ++i) v |= std::uint64_t{bytes_[at + i]} << (8 * i);
        return v;
    }
    SetupInfo::Bytes& bytes_;
};

// One list of (offset, field) serves both directions.
template <class Record, class Visit>
void ForEachField(Record& r, Visit visit) {
    visit(0, r.TaskIndex);
    visit(2, r.CountdownEnabled);
    visit(4, r.CountdownSeconds);
    visit(6, r.TimingMode);
    visit(8, r.CloseDate);
    visit(16, r.CloseTime);
    visit(24, r.CountDownSpan);
    visit(32, r.AllDayTime);
    visit(40, r.StartCloseTask);
    visit(42, r.SyncMode);
    visit(44, r.AutoLogonLock);
    visit(46, r.PowerKeySet);
    visit(48, r.PowerKeyCountdown);
    visit(50, r.PowerKeysEnabled);
    visit(52, r.VolumeKeySet);
    visit(54, r.VolumeKeysEnabled);
}

}  // namespace

SetupInfo::Bytes SetupInfo::ToBytes() const {
    Bytes bytes{};
    RecordBytes out(bytes);
    ForEachField(*this, [&](std::size_t at, const auto& field) { out.Put(at, field); });
    return bytes;
}

void SetupInfo::Overlay(std::span<const std::uint8_t> stored) {
    Bytes bytes = ToBytes();
    std::copy_n(stored.begin(), std::min(stored.size(), kSize), bytes.begin());
    const RecordBytes in(bytes);
    ForEachField(*this, [&](std::size_t at, auto& field) { in.Get(at, field); });
}

void ResetSetupInfo(SetupInfo& info, const Clock& clock) {
    const OleDate now = clock.Now();
    info.TaskIndex = 3;
    info.CountdownEnabled = -1;
    info.CountdownSeconds = 30;
    info.TimingMode = TimingMode::EveryDay;
    info.CloseDate = DatePart(now);
    info.CloseTime = TimePart(now);
    info.CountDownSpan = OleDate{1.0 / 48.0};
    info.AllDayTime = TimePart(now);
    info.StartCloseTask = 0;  // a first start arms nothing the user did not choose
    info.SyncMode = SyncMode::Manual;
    info.AutoLogonLock = 0;
    info.PowerKeySet = PowerKeySet::CtrlF9ToF12;
    info.PowerKeyCountdown = 1;
    info.PowerKeysEnabled = 1;
    info.VolumeKeySet = VolumeKeySet::F6ToF8;
    info.VolumeKeysEnabled = 1;
}

}  // namespace tavrin
