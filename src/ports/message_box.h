#pragma once
#include <string_view>

namespace tavrin {

// Modal boxes without an icon; each returns when it is closed.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Only an OK button.
    virtual void ShowMessage(std::string_view text, std::string_view title) = 0;
    // Yes and No; true for Yes.
    virtual bool Ask(std::string_view text, std::string_view title) = 0;
};

}  // namespace tavrin
