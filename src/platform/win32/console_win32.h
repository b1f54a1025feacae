#pragma once
#include "platform/win32/unique_handle.h"
#include "ports/console.h"

namespace tavrin::win32 {

// Standard output when the start gave one, else the console of the process
// that started this one. A GUI program has no console of its own.
class Win32Console final : public Console {
public:
    bool Write(std::string_view text) override;

private:
    static bool WriteTo(HANDLE out, std::string_view text);

    UniqueKernelHandle conout_;  // the parent's console, once opened
};

}  // namespace tavrin::win32
