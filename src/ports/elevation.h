#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin {

enum class ElevatedEnd {
    Done,      // the copy did everything it was asked
    Refused,   // the copy ran but some of the work was refused; the report says what
    Declined,  // the user said no when Windows asked
    Failed,    // nothing was changed: no elevated copy got the request; the report says why
    Lost,      // the copy got the request but its answer never came: the outcome is unknown
};

struct ElevatedResult {
    ElevatedEnd end;
    std::string report;  // UTF-8, ready to show; empty when Done
};

// The channel an elevated copy shares with the copy that started it.
class CallerChannel {
public:
    virtual ~CallerChannel() = default;
    // What the caller handed over; nothing when the caller is not the one
    // that started this copy or sent nothing readable.
    virtual std::optional<std::string> Input() = 0;
    virtual void Answer(std::string_view report) = 0;
};

// Administrator rights: whether this process holds them, and one operation
// done by an elevated copy of the program when it does not.
class Elevation {
public:
    virtual ~Elevation() = default;
    virtual bool Elevated() const = 0;
    // An administrator whose programs run with limited rights unless
    // elevated, as they do when started at logon. A standard user is not one:
    // elevating needs another account, whose rights a task cannot lend.
    virtual bool SplitToken() const = 0;
    // Asks Windows to start this program elevated for `operation` (the words
    // that ElevatedArguments puts after the channel's name), hands `input`
    // over a channel only the two processes hold, and waits for the answer.
    virtual ElevatedResult RunElevated(std::string_view operation, std::string_view input) = 0;
    // In the elevated copy: the channel named on its command line.
    virtual std::unique_ptr<CallerChannel> ConnectCaller(std::string_view channelName) = 0;
};

}  // namespace tavrin
