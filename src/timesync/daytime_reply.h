#pragma once
#include <optional>
#include <string_view>

#include "common/ole_date.h"

namespace tavrin {

// The UTC moment of a NIST daytime line, read by position, counted from 1
// with the line feed that precedes it: 8-15 the date "YY-MM-DD", 17-24 the
// time "HH:MM:SS", 31 the health digit. The line runs up to its end (CR or
// LF), without it. Nothing comes back unless both fields are real and, where
// the line is long enough to carry it, the health digit says the server is
// healthy (0).
std::optional<OleDate> ReadDaytimeLine(std::string_view line);

}  // namespace tavrin
