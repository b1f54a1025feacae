#include "timesync/daytime_reply.h"

#include "timesync/daytime_text.h"

namespace tavrin {

namespace {

constexpr std::size_t kDateAt = 7;     // position 8
constexpr std::size_t kTimeAt = 16;    // position 17
constexpr std::size_t kHealthAt = 30;  // position 31
constexpr std::size_t kFieldLength = 8;

}  // namespace

std::optional<OleDate> ReadDaytimeLine(std::string_view line) {
    if (line.size() < kTimeAt + kFieldLength) return std::nullopt;
    const auto date = ReadDateText(line.substr(kDateAt, kFieldLength));
    const auto time = ReadClockText(line.substr(kTimeAt, kFieldLength));
    if (!date || !time) return std::nullopt;
    // A server that knows its own time is off says so here.
    if (line.size() > kHealthAt && line[kHealthAt] != '0') return std::nullopt;
    return MakeDateTime(*date, std::chrono::seconds{ToSeconds(*time)});
}

}  // namespace tavrin
