#pragma once
#include <optional>
#include <string>

#include "common/ole_date.h"

namespace tavrin {

// Dates and times written as the user's regional settings write them, in
// UTF-8. Nothing when the system cannot write the value.
class DateTimeText {
public:
    virtual ~DateTimeText() = default;
    // The short date of the value's day; any time part is ignored.
    virtual std::optional<std::string> ShortDate(OleDate day) const = 0;
    // The value's time of day with seconds; any date part is ignored.
    virtual std::optional<std::string> TimeOfDay(OleDate time) const = 0;
};

}  // namespace tavrin
