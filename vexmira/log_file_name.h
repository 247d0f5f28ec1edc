// The name of the diagnostic's log file, made from the computer name and the
// local time so that runs on several machines and days can sit side by side.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The fields of SYSTEMTIME that the name uses.
struct LocalTime {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
};

// "vexmira_PC7_2012-3-3_0905.txt" for PC7 at 09:05 on 3 March 2012: the date
// without leading zeros, hour and minute with two digits. No folder part: the
// file goes to the current directory.
std::u16string LogFileName(std::u16string_view computerName, const LocalTime& time);
