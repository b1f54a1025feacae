#pragma once
#include "ports/registry.h"

namespace tavrin::win32 {

// The registry through the W functions; texts are stored as UTF-16 REG_SZ.
class Win32Registry final : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(Hive hive, std::string_view path) override;
};

}  // namespace tavrin::win32
