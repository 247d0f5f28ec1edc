// The "Meta data" line: computer name, current date, product version and the
// date the program was built.
#pragma once

#include "systest/engine/string_source.h"

#include <cstdint>
#include <string>
#include <string_view>

struct CalendarDate {
    int32_t day = 0;    // 1-31
    int32_t month = 0;  // 1-12
    int32_t year = 0;   // four digits

    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Reads the build stamp, a text such as "Feb 20 2012": an English three-letter
// month, the day and the year, separated by blanks. A part that cannot be read
// is 0.
CalendarDate ParseBuildDate(std::u16string_view text);

// String 916 formatted with a double quote, the computer name, a double quote,
// today as 06.12.2026, the product version and the build date as 20.02.12.
std::u16string FormatMetaLine(const StringSource& strings, std::u16string_view computerName,
                              const CalendarDate& today, const CalendarDate& buildDate);
