#include "common/format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FormatText, ConversionsOfTheLanguageStrings) {
    const struct {
        std::u16string format;
        std::u16string expected;
        std::u16string result;
    } cases[] = {
        {u"%s requires %d MB", u"NVIDIA Quadro requires 256 MB",
         FormatText(u"%s requires %d MB", {u"NVIDIA Quadro", 256})},
        {u"Meta", u"\"PC7\" 06.12.2026 2012 20.02.12",
         FormatText(u"%c%s%c %s %s %s", {34, u"PC7", 34, u"06.12.2026", u"2012", u"20.02.12"})},
        {u"date", u"06.12.2026", FormatText(u"%02d.%02d.%d", {6, 12, 2026})},
        {u"%d negative", u"-42", FormatText(u"%d", {-42})},
        {u"%i", u"7", FormatText(u"%i", {7})},
        {u"%u of -1", u"4294967295", FormatText(u"%u", {-1})},
        {u"%u unsigned", u"4294967295", FormatText(u"%u", {4294967295u})},
        {u"%x", u"ff/FF", FormatText(u"%x/%X", {255, 255})},
        {u"%#x", u"0xff", FormatText(u"%#x", {255})},
        {u"width", u"   42|", FormatText(u"%5d|", {42})},
        {u"left", u"42   |", FormatText(u"%-5d|", {42})},
        {u"zero", u"00042", FormatText(u"%05d", {42})},
        {u"zero negative", u"-0042", FormatText(u"%05d", {-42})},
        {u"precision", u"007", FormatText(u"%.3d", {7})},
        {u"left wins over zero", u"42   |", FormatText(u"%-05d|", {42})},
        {u"text width", u"    ab|ab    |", FormatText(u"%6s|%-6s|", {u"ab", u"ab"})},
        {u"text precision", u"abc", FormatText(u"%.3s", {u"abcdef"})},
        {u"zero pads no text", u"   ab", FormatText(u"%05s", {u"ab"})},
        {u"size prefixes", u"5 x 6 y", FormatText(u"%ld %ls %hd %ws", {5, u"x", 6, u"y"})},
        {u"percent", u"100%", FormatText(u"100%%")},
        {u"unknown conversion", u"a    yb", FormatText(u"a%4yb", {1})},
        {u"trailing percent", u"abc", FormatText(u"abc%")},
        {u"%c", u"\"", FormatText(u"%c", {34})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, c.expected) << testing::PrintToString(c.format);
    }
}

TEST(FormatText, MismatchedOrMissingArgumentsNeverReadWhatTheyWereNotGiven) {
    EXPECT_EQ(FormatText(u"[%s]", {42}), u"[]");
    EXPECT_EQ(FormatText(u"[%d]", {u"text"}), u"[0]");
    EXPECT_EQ(FormatText(u"[%s|%d]"), u"[|0]");
    EXPECT_EQ(FormatText(u"[%d|%d]", {1}), u"[1|0]");
    EXPECT_EQ(FormatText(u"no conversions", {1, u"x"}), u"no conversions");
}

TEST(FormatText, OutputStopsAtTheLimitOfWvsprintf) {
    const std::u16string longText(2000, u'x');
    EXPECT_EQ(FormatText(u"%s", {longText}).size(), kFormatOutputLimit);
    EXPECT_EQ(FormatText(longText + u"%d", {5}).size(), kFormatOutputLimit);
    EXPECT_EQ(FormatText(u"%99999999999d", {5}).size(), kFormatOutputLimit);
    const std::u16string almost(1020, u'a');
    EXPECT_EQ(FormatText(almost + u"%d", {123456}), almost + u"123");
}

}  // namespace
