#pragma once

namespace tavrin {

class Workstation {
public:
    virtual ~Workstation() = default;
    // Locks the workstation; false when the system refused.
    virtual bool Lock() = 0;
};

}  // namespace tavrin
