#pragma once
#include <string_view>

namespace tavrin {

// The copy of the program that is already running, reached through its main
// window's exact caption.
class RunningCopy {
public:
    virtual ~RunningCopy() = default;
    // Restores that window and brings it forward; false when none was found.
    virtual bool Restore(std::string_view mainWindowCaption) = 0;
};

}  // namespace tavrin
