#include "systest/ui/userlist/cell_value.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CellDate Date(uint16_t year, uint16_t month, uint16_t day, uint16_t hour = 0, uint16_t minute = 0,
              uint16_t second = 0) {
    CellDate date;
    date.year = year;
    date.month = month;
    date.day = day;
    date.hour = hour;
    date.minute = minute;
    date.second = second;
    return date;
}

TEST(ParseCellDate, ReadsFourteenDigitsFieldByField) {
    const struct {
        const char16_t* text;
        bool parsed;
        CellDate expected;
    } cases[] = {
        {u"20120315134502", true, Date(2012, 3, 15, 13, 45, 2)},
        {u"00000000000000", true, Date(0, 0, 0)},
        {u"", false, Date(0, 0, 0)},
        // A text shorter than fourteen characters fills what it has.
        {u"2012", true, Date(2012, 0, 0)},
        {u"201203", true, Date(2012, 3, 0)},
        {u"2012031", true, Date(2012, 3, 1)},
        // Each field is read as a number of its own characters.
        {u"2012 3 5 1 2 3", true, Date(2012, 3, 5, 1, 2, 3)},
        {u"2012xx15134502", true, Date(2012, 0, 15, 13, 45, 2)},
        // Characters after the seconds are ignored.
        {u"20120315134502999", true, Date(2012, 3, 15, 13, 45, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        CellDate date = Date(1, 1, 1);
        EXPECT_EQ(ParseCellDate(c.text, date), c.parsed);
        EXPECT_EQ(date, c.expected);
        EXPECT_EQ(date.milliseconds, 0);
        EXPECT_EQ(date.dayOfWeek, 0);
    }
}

TEST(CellDateText, RoundTripsThroughTheStoredForm) {
    EXPECT_EQ(CellDateText(Date(2012, 3, 15, 13, 45, 2)), u"20120315134502");
    EXPECT_EQ(CellDateText(Date(987, 1, 2)), u"09870102000000");
    CellDate date;
    ASSERT_TRUE(ParseCellDate(CellDateText(Date(1999, 12, 31, 23, 59, 59)), date));
    EXPECT_EQ(date, Date(1999, 12, 31, 23, 59, 59));
}

TEST(CellProgress, NumberAtTheStartLimitedToAHundred) {
    const struct {
        const char16_t* text;
        double expected;
    } cases[] = {
        {u"", 0.0},       {u"abc", 0.0},   {u"50", 50.0},   {u" 42.5%", 42.5},
        {u"-5", 0.0},     {u"100", 100.0}, {u"250", 100.0}, {u"99999999999999", 100.0},
        {u"+7.25", 7.25}, {u".5", 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        EXPECT_DOUBLE_EQ(CellProgress(c.text), c.expected);
    }
}

TEST(CellInteger, ReadsLikeTheRunTime) {
    EXPECT_EQ(CellInteger(u"1"), 1);
    EXPECT_EQ(CellInteger(u" -3x"), -3);
    EXPECT_EQ(CellInteger(u""), 0);
}

}  // namespace
