#pragma once
#include <string>
#include <vector>

#include "ports/message_box.h"

namespace tavrin::testing {

class FakeMessageBox final : public MessageBoxPort {
public:
    struct Shown {
        std::string text, title;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    void ShowMessage(std::string_view text, std::string_view title) override {
        shown.push_back({std::string(text), std::string(title)});
    }
    std::vector<Shown> shown;
};

}  // namespace tavrin::testing
