// How the list reads the text of a cell as a value: a date of fourteen digits,
// an integer for check marks, a number for progress bars.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The fields of a Win32 SYSTEMTIME, without depending on Windows.
struct CellDate {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    friend bool operator==(const CellDate&, const CellDate&) = default;
};

// Reads yyyyMMddHHmmss: each field is the decimal number of its characters.
// An empty text is no date (false). A shorter text gives 0 for the fields it
// lacks rather than reading past its end.
bool ParseCellDate(std::u16string_view text, CellDate& date);

// The stored text form of a date: "%04d%02d%02d%02d%02d%02d".
std::u16string CellDateText(const CellDate& date);

// The cell text of check and three-state cells, read as the C run-time reads
// an integer.
int32_t CellInteger(std::u16string_view text);

// The progress of a cell in percent: the number at the start of its text
// (decimals allowed), limited to 0-100.
double CellProgress(std::u16string_view text);
