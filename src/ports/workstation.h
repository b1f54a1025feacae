#pragma once
#include "ports/outcome.h"

namespace tavrin {

class Workstation {
public:
    virtual ~Workstation() = default;
    // Asks the system to lock the workstation; done means it took the request.
    virtual Outcome Lock() = 0;
};

}  // namespace tavrin
