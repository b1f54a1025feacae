#pragma once
#include <string>
#include <vector>

#include "countdown/countdown_launcher.h"

namespace tavrin::testing {

// Writes down every countdown dialog that would have been started.
class FakeCountdownLauncher final : public CountdownLauncher {
public:
    struct Call {
        ActionLabel label;
        std::string fileName;
        std::int16_t count;
        friend bool operator==(const Call&, const Call&) = default;
    };

    void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) override {
        calls.push_back({TaskNameSTR, FileNameStr, CountTime30});
    }
    void DoKeyTask(const ActionLabel& label, std::int16_t seconds) override { calls.push_back({label, "", seconds}); }

    // Every dialog started counts until CancelAll.
    std::vector<PendingCountdown> Pending() const override {
        std::vector<PendingCountdown> pending;
        for (std::size_t i = cancelled; i < calls.size(); ++i) pending.push_back({calls[i].label, calls[i].count});
        return pending;
    }
    bool CancelAll() override {
        const bool any = cancelled < calls.size();
        cancelled = calls.size();
        return any;
    }

    std::vector<Call> calls;
    std::size_t cancelled = 0;
};

}  // namespace tavrin::testing
