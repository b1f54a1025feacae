#pragma once
#include <string_view>

#include "ports/clock_setter.h"

namespace tavrin {

// What the status line says after a change of the clock; empty when it worked.
inline std::string_view ClockResultText(ClockStatus status) {
    switch (status) {
        case ClockStatus::Ok:
            return {};
        case ClockStatus::Refused:
            return "校时失败：无权修改系统时间";
        case ClockStatus::Failed:
            break;
    }
    return "校时失败：无法修改系统时间";
}

}  // namespace tavrin
