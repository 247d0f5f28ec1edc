#include "systest/ui/userlist/win/cell_date_format.h"

#include "systest/ui/userlist/list_column.h"

namespace {

// Longer than any short date or time pattern gives.
constexpr int kDateTextSize = 128;

std::wstring ShortDate(const SYSTEMTIME& time) {
    if (time.wYear == 0) {
        return {};
    }
    wchar_t text[kDateTextSize];
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, kDateTextSize) ==
        0) {
        return {};
    }
    return text;
}

std::wstring TimeOfDay(const SYSTEMTIME& time) {
    wchar_t text[kDateTextSize];
    if (GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, kDateTextSize) == 0) {
        return {};
    }
    return text;
}

}  // namespace

SYSTEMTIME ToSystemTime(const CellDate& date) {
    SYSTEMTIME time{};
    time.wYear = date.year;
    time.wMonth = date.month;
    time.wDayOfWeek = date.dayOfWeek;
    time.wDay = date.day;
    time.wHour = date.hour;
    time.wMinute = date.minute;
    time.wSecond = date.second;
    time.wMilliseconds = date.milliseconds;
    return time;
}

CellDate FromSystemTime(const SYSTEMTIME& time) {
    CellDate date;
    date.year = time.wYear;
    date.month = time.wMonth;
    date.dayOfWeek = time.wDayOfWeek;
    date.day = time.wDay;
    date.hour = time.wHour;
    date.minute = time.wMinute;
    date.second = time.wSecond;
    date.milliseconds = time.wMilliseconds;
    return date;
}

std::wstring FormatCellDate(const CellDate& date, uint32_t columnFlags) {
    const SYSTEMTIME time = ToSystemTime(date);
    if (columnFlags & DateOnly) {
        return ShortDate(time);
    }
    if (columnFlags & TimeOnly) {
        return TimeOfDay(time);
    }
    return ShortDate(time) + L" " + TimeOfDay(time);
}
