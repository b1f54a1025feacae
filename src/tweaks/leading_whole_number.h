#pragma once
#include <cstdint>
#include <string_view>

namespace tavrin {

// The whole part of the decimal number a text starts with: blanks before it
// are skipped, a sign is allowed, a fraction is dropped ("1.9" is 1, "-0.5"
// is 0). A text without such a number is 0; a number too large for the result
// saturates, so it never reads as 0.
std::int64_t LeadingWholeNumber(std::string_view text);

}  // namespace tavrin
