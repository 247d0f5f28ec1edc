#include "common/format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatString, ConversionsOfTheLanguageStrings) {
    const struct {
        std::u16string format;
        std::u16string expected;
        std::u16string result;
    } cases[] = {
        {u"%s requires %d MB", u"NVIDIA Quadro requires 256 MB",
         FormatString(u"%s requires %d MB", {u"NVIDIA Quadro", 256})},
        {u"Meta", u"\"PC7\" 06.12.2026 2012 20.02.12",
         FormatString(u"%c%s%c %s %s %s", {34, u"PC7", 34, u"06.12.2026", u"2012", u"20.02.12"})},
        {u"date", u"06.12.2026", FormatString(u"%02d.%02d.%d", {6, 12, 2026})},
        {u"%d negative", u"-42", FormatString(u"%d", {-42})},
        {u"%i", u"7", FormatString(u"%i", {7})},
        {u"%u of -1", u"4294967295", FormatString(u"%u", {-1})},
        {u"%u unsigned", u"4294967295", FormatString(u"%u", {4294967295u})},
        {u"%x", u"ff/FF", FormatString(u"%x/%X", {255, 255})},
        {u"%#x", u"0xff", FormatString(u"%#x", {255})},
        {u"width", u"   42|", FormatString(u"%5d|", {42})},
        {u"left", u"42   |", FormatString(u"%-5d|", {42})},
        {u"zero", u"00042", FormatString(u"%05d", {42})},
        {u"zero negative", u"-0042", FormatString(u"%05d", {-42})},
        {u"precision", u"007", FormatString(u"%.3d", {7})},
        {u"left wins over zero", u"42   |", FormatString(u"%-05d|", {42})},
        {u"text width", u"    ab|ab    |", FormatString(u"%6s|%-6s|", {u"ab", u"ab"})},
        {u"text precision", u"abc", FormatString(u"%.3s", {u"abcdef"})},
        {u"zero pads no text", u"   ab", FormatString(u"%05s", {u"ab"})},
        {u"size prefixes", u"5 x 6 y", FormatString(u"%ld %ls %hd %ws", {5, u"x", 6, u"y"})},
        {u"percent", u"100%", FormatString(u"100%%")},
        {u"unknown conversion", u"a    yb", FormatString(u"a%4yb", {1})},
        {u"trailing percent", u"abc", FormatString(u"abc%")},
        {u"%c", u"\"", FormatString(u"%c", {34})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, c.expected) << testing::PrintToString(c.format);
    }
}

TEST(FormatString, MismatchedOrMissingArgumentsNeverReadWhatTheyWereNotGiven) {
    EXPECT_EQ(FormatString(u"[%s]", {42}), u"[]");
    EXPECT_EQ(FormatString(u"[%d]", {u"text"}), u"[0]");
    EXPECT_EQ(FormatString(u"[%s|%d]"), u"[|0]");
    EXPECT_EQ(FormatString(u"[%d|%d]", {1}), u"[1|0]");
    EXPECT_EQ(FormatString(u"no conversions", {1, u"x"}), u"no conversions");
}

TEST(FormatString, OutputStopsAtTheLimitOfWvsprintf) {
    const std::u16string longText(2000, u'x');
    EXPECT_EQ(FormatString(u"%s", {longText}).size(), kFormatOutputLimit);
    EXPECT_EQ(FormatString(longText + u"%d", {5}).size(), kFormatOutputLimit);
    EXPECT_EQ(FormatString(u"%99999999999d", {5}).size(), kFormatOutputLimit);
    const std::u16string almost(1020, u'a');
    EXPECT_EQ(FormatString(almost + u"%d", {123456}), almost + u"123");
}

}  // namespace
