#pragma once
#include <string>
#include <vector>

#include "ports/browser.h"
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

class FakeRunningCopy final : public RunningCopy {
public:
    bool Restore(std::string_view caption) override {
        restored.emplace_back(caption);
        return true;
    }
    std::vector<std::string> restored;
};

}  // namespace tavrin::testing
