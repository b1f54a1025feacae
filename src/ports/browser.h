#pragma once
#include <string_view>

namespace tavrin {

class Browser {
public:
    virtual ~Browser() = default;
    // Opens the address in the user's default browser; false on failure.
    virtual bool Open(std::string_view address) = 0;
};

}  // namespace tavrin
