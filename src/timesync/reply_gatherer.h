#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

// Collects one server reply, which may come in pieces, until its line ends.
// Only the first few hundred bytes are ever kept, however much arrives.
class ReplyGatherer {
public:
    static constexpr std::size_t kMaxBytes = 256;
    enum class State { Gathering, LineEnded, Overflowed };

    State Add(std::string_view bytes);
    // The line without its end; everything kept while the line is still open.
    std::string_view Line() const;
    bool Empty() const { return kept_.empty(); }
    void Clear() { kept_.clear(); }

private:
    std::size_t LineEnd() const;
    std::string kept_;
};

}  // namespace tavrin
