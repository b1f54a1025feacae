#pragma once
#include <string_view>

namespace tavrin {

// A modal box with only an OK button and no icon; returns when it is closed.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    virtual void ShowMessage(std::string_view text, std::string_view title) = 0;
};

}  // namespace tavrin
