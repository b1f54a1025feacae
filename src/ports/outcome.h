#pragma once
#include <string>
#include <utility>

namespace tavrin {

// How a system call that may be refused ended: done, or refused with the
// system's reason in its own words, ready to show.
class [[nodiscard]] Outcome {
public:
    static Outcome Done() { return Outcome(true, {}); }
    static Outcome Refused(std::string reason) { return Outcome(false, std::move(reason)); }

    explicit operator bool() const { return done_; }
    const std::string& Reason() const { return reason_; }

private:
    Outcome(bool done, std::string reason) : done_(done), reason_(std::move(reason)) {}

    bool done_;
    std::string reason_;
};

}  // namespace tavrin
