#pragma once
#include <string>
#include <vector>

#include "ports/message_box.h"

namespace tavrin::testing {

// Message boxes written into a trace shared with other fakes, so a test sees
// them in order among the other calls.
class TracingMessageBox final : public MessageBoxPort {
public:
    explicit TracingMessageBox(std::vector<std::string>& trace) : trace_(trace) {}
    void ShowMessage(std::string_view text, std::string_view title) override {
        trace_.push_back("box " + std::string(text) + " | " + std::string(title));
    }

private:
    std::vector<std::string>& trace_;
};

}  // namespace tavrin::testing
