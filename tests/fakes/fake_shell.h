#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ports/browser.h"
#include "ports/console.h"
#include "ports/running_copy.h"
#include "ports/workstation.h"

namespace tavrin::testing {

// Counts the locks and, given a trace, writes each into it among other calls.
class FakeWorkstation final : public Workstation {
public:
    explicit FakeWorkstation(std::vector<std::string>* trace = nullptr) : trace_(trace) {}
    Outcome Lock() override {
        ++locks;
        if (trace_) trace_->push_back("LockWorkStation");
        return refusal.empty() ? Outcome::Done() : Outcome::Refused(refusal);
    }
    int locks = 0;
    std::string refusal;  // refused with this reason unless empty

private:
    std::vector<std::string>* trace_;
};

class FakeBrowser final : public Browser {
public:
    bool Open(std::string_view address) override {
        opened.emplace_back(address);
        return succeed;
    }
    std::vector<std::string> opened;
    bool succeed = true;
};

class FakeConsole final : public Console {
public:
    bool Write(std::string_view text) override {
        written += text;
        return attached;
    }
    std::string written;
    bool attached = true;
};

class FakeRunningCopy final : public RunningCopy {
public:
    bool Restore(std::string_view caption) override {
        restored.emplace_back(caption);
        return true;
    }
    // The running copy's side of a request, while one runs; `startsAs` is
    // the one that Start brings.
    Relayed Relay(std::string_view, std::string_view request) override {
        if (!running) return {};
        return {outcome, outcome == Relayed::Outcome::Answered ? running(request) : std::string{}};
    }
    bool Start(std::string_view arguments, std::string_view) override {
        started.emplace_back(arguments);
        running = startsAs;
        return static_cast<bool>(running);
    }
    std::vector<std::string> restored, started;
    std::function<std::string(std::string_view)> running, startsAs;
    Relayed::Outcome outcome = Relayed::Outcome::Answered;  // while one runs
};

}  // namespace tavrin::testing
