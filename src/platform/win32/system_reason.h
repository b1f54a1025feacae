#pragma once
#include <windows.h>

#include <string>

#include "ports/outcome.h"

namespace tavrin::win32 {

// The system's own text for an error code, in the user's language, followed by
// the code: "拒绝访问。 (5)". The code alone when the system has no text.
std::string SystemReason(DWORD code);

// Done, or refused for the thread's last-error code; give it the call's result
// straight away, before anything else can change that code.
Outcome OutcomeOf(BOOL succeeded);

}  // namespace tavrin::win32
