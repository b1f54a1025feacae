#include "tweaks/leading_whole_number.h"

#include <limits>

namespace tavrin {

std::int64_t LeadingWholeNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n')) ++i;

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        magnitude = magnitude > (kMax - digit) / 10 ? kMax : magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

}  // namespace tavrin
