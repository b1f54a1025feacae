#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// The copy of the program that is already running, reached through its main
// window's exact caption.
class RunningCopy {
public:
    // What became of a request handed to it: Refused when it certainly did
    // not take it (it cannot be reached from here, or is not ready yet).
    struct Relayed {
        enum class Outcome { Answered, NotRunning, Refused, NoAnswer };
        Outcome outcome = Outcome::NotRunning;
        std::string reply;
    };

    virtual ~RunningCopy() = default;
    // Restores that window and brings it forward; false when none was found.
    virtual bool Restore(std::string_view mainWindowCaption) = 0;
    // Hands it a request and waits a while for its reply.
    virtual Relayed Relay(std::string_view mainWindowCaption, std::string_view request) = 0;
    // Starts another copy of this program with `arguments` and returns once a
    // window with that caption takes requests; false when none came.
    virtual bool Start(std::string_view arguments, std::string_view mainWindowCaption) = 0;
};

}  // namespace tavrin
