#pragma once
#include <windows.h>

#include <optional>

#include "common/ole_date.h"

namespace tavrin::win32 {

// SYSTEMTIME starts in 1601: earlier dates have no SYSTEMTIME.
std::optional<SYSTEMTIME> ToSystemTime(OleDate value);
OleDate FromSystemTime(const SYSTEMTIME& t);

}  // namespace tavrin::win32
