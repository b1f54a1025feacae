#include "timesync/reply_gatherer.h"

#include <algorithm>

namespace tavrin {

ReplyGatherer::State ReplyGatherer::Add(std::string_view bytes) {
    const std::size_t room = kMaxBytes - kept_.size();
    kept_.append(bytes.substr(0, std::min(room, bytes.size())));
    if (LineEnd() != std::string::npos) return State::LineEnded;
    return bytes.size() > room ? State::Overflowed : State::Gathering;
}

std::string_view ReplyGatherer::Line() const {
    return std::string_view(kept_).substr(0, std::min(LineEnd(), kept_.size()));
}

// The line feed that precedes the daytime line is not its end.
std::size_t ReplyGatherer::LineEnd() const { return kept_.find_first_of("\r\n", 1); }

}  // namespace tavrin
