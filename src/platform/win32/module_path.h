#pragma once
#include <string>

namespace tavrin::win32 {

// The full path of the running executable; empty when Windows cannot say.
std::wstring ModulePath();

}  // namespace tavrin::win32
