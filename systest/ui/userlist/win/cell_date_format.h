// A date cell as the user reads it: the short date and the time in the user's
// locale formats.
#pragma once

#include "systest/ui/userlist/cell_value.h"

#include <windows.h>

#include <string>

SYSTEMTIME ToSystemTime(const CellDate& date);
CellDate FromSystemTime(const SYSTEMTIME& time);

// DateOnly shows the short date, TimeOnly the time, otherwise both with one
// space between. A year of 0 has no date; a part the system cannot format is
// left empty.
std::wstring FormatCellDate(const CellDate& date, uint32_t columnFlags);
