#pragma once
#include <string>
#include <string_view>

namespace tavrin::win32 {

// The core speaks UTF-8, Windows' W functions UTF-16. Invalid sequences
// become U+FFFD rather than failing.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace tavrin::win32
