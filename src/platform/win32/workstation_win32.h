#pragma once
#include "ports/workstation.h"

namespace tavrin::win32 {

class Win32Workstation final : public Workstation {
public:
    Outcome Lock() override;
};

}  // namespace tavrin::win32
