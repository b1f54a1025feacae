#pragma once
#include "ports/message_box.h"

namespace tavrin::win32 {

class Win32MessageBox final : public MessageBoxPort {
public:
    void ShowMessage(std::string_view text, std::string_view title) override;
};

}  // namespace tavrin::win32
