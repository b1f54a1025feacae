#pragma once
#include <string>

namespace tavrin::win32 {

// The SID of this process's user, as text ("S-1-5-21-…"); empty when the
// token cannot be read.
std::wstring TokenUserSid();

}  // namespace tavrin::win32
