#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// The logon task as Task Scheduler XML: started at `user`'s logon, with that
// user's highest rights and interactive token, running `exePath` with
// "/run"; no time limit, never held back or stopped on batteries, at normal
// priority. The defaults would end a resident program after three days.
std::string LogonTaskDefinition(std::string_view user, std::string_view exePath);

}  // namespace tavrin
