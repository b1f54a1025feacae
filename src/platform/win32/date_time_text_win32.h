#pragma once
#include <string>
#include <utility>

#include "ports/date_time_text.h"

namespace tavrin::win32 {

// GetDateFormatEx / GetTimeFormatEx with the short date and the time format
// of a locale; by default the user's.
class Win32DateTimeText final : public DateTimeText {
public:
    Win32DateTimeText() = default;
    explicit Win32DateTimeText(std::wstring localeName) : localeName_(std::move(localeName)) {}

    std::optional<std::string> ShortDate(OleDate day) const override;
    std::optional<std::string> TimeOfDay(OleDate time) const override;

private:
    std::wstring localeName_;  // empty: the user's default locale
};

}  // namespace tavrin::win32
