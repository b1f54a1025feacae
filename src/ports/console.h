#pragma once
#include <string_view>

namespace tavrin {

// The console, file or pipe the program was started from: where a command
// from a script gets its answer.
class Console {
public:
    virtual ~Console() = default;
    // False when the program was started from none.
    virtual bool Write(std::string_view text) = 0;
};

}  // namespace tavrin
