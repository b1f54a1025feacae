#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ports/elevation.h"
#include "ports/logon_task.h"

namespace tavrin::testing {

// Elevated unless told otherwise; an elevated copy's run is recorded and
// answered as scripted, with `copy` standing for the copy's own work.
class FakeElevation final : public Elevation {
public:
    struct Run {
        std::string operation, input;
        friend bool operator==(const Run&, const Run&) = default;
    };
    bool elevated = true, splitToken = false;
    ElevatedResult answer{ElevatedEnd::Done, {}};
    std::function<void(const std::string& operation)> copy;
    std::vector<Run> runs;
    // The elevated copy's side.
    std::optional<std::string> callerInput;  // nullopt: no caller on that channel
    std::string answered;

    bool Elevated() const override { return elevated; }
    bool SplitToken() const override { return splitToken; }
    ElevatedResult RunElevated(std::string_view operation, std::string_view input) override {
        runs.push_back({std::string(operation), std::string(input)});
        if (copy && answer.end != ElevatedEnd::Declined) copy(std::string(operation));
        return answer;
    }
    std::unique_ptr<CallerChannel> ConnectCaller(std::string_view) override {
        struct Channel final : CallerChannel {
            explicit Channel(FakeElevation& e) : e_(e) {}
            std::optional<std::string> Input() override { return e_.callerInput; }
            void Answer(std::string_view report) override { e_.answered = report; }
            FakeElevation& e_;
        };
        return std::make_unique<Channel>(*this);
    }
};

// One task, of the user who registered it last.
class FakeLogonTask final : public LogonTask {
public:
    bool exists = false;
    std::string definition;
    int queries = 0;

    bool Exists(std::string_view who) override { return ++queries, exists && who == user_; }
    Outcome Register(std::string_view who, std::string_view xml) override {
        user_ = who, definition = xml, exists = true;
        return Outcome::Done();
    }
    Outcome Delete(std::string_view who) override {
        exists = exists && who != user_;
        return Outcome::Done();
    }
    std::string CurrentUser() const override { return "S-1-5-21-7-1001"; }

private:
    std::string user_ = "S-1-5-21-7-1001";
};

}  // namespace tavrin::testing
