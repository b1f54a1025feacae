#pragma once
#include <string>
#include <vector>

#include "schedule/countdown_launcher.h"

namespace tavrin::testing {

// Writes down every countdown dialog that would have been started.
class FakeCountdownLauncher final : public CountdownLauncher {
public:
    struct Call {
        ActionLabel label;
        std::string fileName;
        std::int16_t count;
        bool byKey = false;
        friend bool operator==(const Call&, const Call&) = default;
    };

    void DoTask(const ActionLabel& TaskNameSTR, const std::string& FileNameStr, std::int16_t CountTime30) override {
        calls.push_back({TaskNameSTR, FileNameStr, CountTime30});
    }
    void DoKeyTask(const ActionLabel& label, std::int16_t seconds) override {
        calls.push_back({label, "", seconds, true});
    }

    std::vector<Call> calls;
};

}  // namespace tavrin::testing
