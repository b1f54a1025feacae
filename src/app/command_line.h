#pragma once
#include <string>
#include <string_view>

namespace tavrin {

// The argument string of a whole command line: everything after the
// program's path (quoted or not) and the one blank that separates them,
// untrimmed.
std::string ArgumentString(std::string_view commandLine);

// "/run" and "/start", exactly: the start from the Run entry.
bool IsHiddenStart(std::string_view arguments);

// The hidden start that a command from a script makes when no copy runs:
// like "/run", but it never locks the workstation.
inline constexpr std::string_view kResidentStart = "/resident";

}  // namespace tavrin
