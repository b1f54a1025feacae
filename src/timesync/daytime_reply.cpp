#include "timesync/daytime_reply.h"

#include "timesync/daytime_text.h"

namespace tavrin {

namespace {

constexpr std::size_t kDateAt = 7;     // position 8
constexpr std::size_t kTimeAt = 16;    // position 17
constexpr std::size_t kHealthAt = 30;  // position 31
constexpr std::size_t kFieldLength = 8;

}  // namespace

std::optional<DaytimeStamp> ReadDaytimeLine(std::string_view line) {
    if (line.size() < kTimeAt + kFieldLength) return std::nullopt;
    const std::string_view date = line.substr(kDateAt, kFieldLength);
    const std::string_view time = line.substr(kTimeAt, kFieldLength);
    if (!ReadDateText(date) || !ReadClockText(time)) return std::nullopt;
    // A server that knows its own time is off says so here.
    if (line.size() > kHealthAt && line[kHealthAt] != '0') return std::nullopt;
    return DaytimeStamp{std::string(date), std::string(time)};
}

}  // namespace tavrin
