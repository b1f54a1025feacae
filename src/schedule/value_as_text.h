#pragma once
#include <string>

#include "common/ole_date.h"

namespace tavrin {

class DateTimeText;

// A date-time value as the system writes one: a value on day zero is a time
// of day, a value without time part a date, anything else the date, a blank
// and the time.
std::string ValueAsText(const DateTimeText& system, OleDate value);

}  // namespace tavrin
