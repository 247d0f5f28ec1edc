#include "systest/engine/meta_line.h"

#include "systest/engine/build_date.h"
#include "systest/engine/report_file.h"
#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const CalendarDate& date, std::ostream* os) {
    *os << date.day << '.' << date.month << '.' << date.year;
}

namespace {

TEST(ParseBuildDate, ReadsMonthDayAndYear) {
    struct Case {
        const char16_t* text;
        CalendarDate date;
    };
    const Case cases[] = {
        {u"Feb 20 2012", {20, 2, 2012}},
        {u"Jan 01 2000", {1, 1, 2000}},
        {u"Dec 31 1999", {31, 12, 1999}},
        // The compiler's own __DATE__ pads a one-digit day with a blank.
        {u"Mar  5 2026", {5, 3, 2026}},
        {u"Sep 9 2024", {9, 9, 2024}},
        {u"Foo 20 2012", {20, 0, 2012}},
        {u"feb 20 2012", {20, 0, 2012}},
        {u"Feb", {0, 2, 0}},
        {u"", {0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        EXPECT_EQ(ParseBuildDate(c.text), c.date);
    }
}

TEST(ParseBuildDate, ReadsTheStampOfThisBuild) {
    const CalendarDate date = ParseBuildDate(kBuildDateText);
    EXPECT_GE(date.month, 1);
    EXPECT_LE(date.month, 12);
    EXPECT_GE(date.day, 1);
    EXPECT_LE(date.day, 31);
    EXPECT_GE(date.year, 2024);
}

TEST(FormatMetaLine, PadsDaysAndMonthsAndShortensTheBuildYear) {
    const MemoryStrings strings;
    struct Case {
        const char16_t* computer;
        CalendarDate today;
        CalendarDate build;
        const char16_t* line;
    };
    const Case cases[] = {
        {u"PC7", {6, 12, 2026}, {20, 2, 2012}, u"Meta data: \"PC7\" 06.12.2026 2012 20.02.12"},
        {u"W\u00e4rme",
         {31, 1, 2000},
         {1, 10, 2000},
         u"Meta data: \"W\u00e4rme\" 31.01.2000 2012 01.10.00"},
        {u"", {1, 1, 2012}, {0, 0, 0}, u"Meta data: \"\" 01.01.2012 2012 00.00.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatMetaLine(strings, c.computer, c.today, c.build), c.line);
    }
}

TEST(ReportFile, LivesInTheTemporaryDirectory) {
    EXPECT_EQ(ReportFilePath(u"C:\\Users\\Ann\\AppData\\Local\\Temp\\"),
              u"C:\\Users\\Ann\\AppData\\Local\\Temp\\QuarvelSysTest.txt");
    EXPECT_EQ(
        ReportFailureMessage(u"C:\\Temp\\QuarvelSysTest.txt", u"Access is denied."),
        u"The report could not be written to\nC:\\Temp\\QuarvelSysTest.txt\n\nAccess is denied.");
}

}  // namespace
