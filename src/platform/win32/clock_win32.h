#pragma once
#include "ports/clock.h"

namespace tavrin::win32 {

class Win32Clock final : public Clock {
public:
    OleDate Now() const override;
    std::chrono::milliseconds Monotonic() const override;
    std::int64_t UtcNow() const override;
    std::int64_t UtcOffsetAt(std::int64_t utcSeconds) const override;
};

}  // namespace tavrin::win32
