// The log through a real C run-time stream in text mode, and the 8-bit
// encoding of the diagnostic's own texts.
#include "vexmira/log_stream.h"

#include "common/tests/wine/temp_folder.h"
#include "common/win/wide.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Our sessions run Wine with the POSIX locale, whose ANSI code page is 1252
// (Western European), as on most machines the product ships to.
constexpr UINT kSessionCodePage = 1252;

FILE* OpenStream(const std::u16string& path) {
    return _wfopen(WideCStr(path), L"wt");
}

TEST(TextStreamOutput, WritesCarriageReturnLineFeedAndBytesAsTheyAre) {
    TempFolder folder(u"vexmira_log");
    const std::u16string path = folder.File(u"log.txt");
    {
        TextStreamOutput output(OpenStream(path));
        ASSERT_TRUE(output.RedirectToFile(path));
        output.Print(u"OpenGL test application version: 2.2\n\n");
        output.PrintBytes("Vendor : Mesa/X.org\n");
        output.PrintBytes("info \xB5\xFF log\n");  // 8-bit texts pass unchanged
    }
    EXPECT_EQ(ReadBytes(path),
              "OpenGL test application version: 2.2\r\n\r\nVendor : Mesa/X.org\r\n"
              "info \xB5\xFF log\r\n");
}

TEST(TextStreamOutput, RedirectReplacesAnExistingFileAndKeepsEarlierOutputOut) {
    TempFolder folder(u"vexmira_log");
    const std::u16string before = folder.File(u"inherited.txt");
    const std::u16string log = folder.File(u"vexmira_PC7_2012-3-3_0905.txt");
    ASSERT_TRUE(WriteBytes(log, "an older run's much longer log text\r\n"));
    {
        TextStreamOutput output(OpenStream(before));
        output.Print(u"before\n");
        ASSERT_TRUE(output.RedirectToFile(log));
        output.Print(u"after\n");
    }
    EXPECT_EQ(ReadBytes(before), "before\r\n");
    EXPECT_EQ(ReadBytes(log), "after\r\n");
}

TEST(TextStreamOutput, LogThatCannotBeCreatedDropsTheOutput) {
    TempFolder folder(u"vexmira_log");
    TextStreamOutput output(OpenStream(folder.File(u"inherited.txt")));
    EXPECT_FALSE(output.RedirectToFile(folder.File(u"missing\\log.txt")));
    output.Print(u"lost\n");
    output.PrintBytes("lost\n");
    EXPECT_FALSE(output.RedirectToFile(folder.File(u"log.txt")));
}

TEST(ToLogEncoding, AnsiCodePageWithQuestionMarksForTheRest) {
    ASSERT_EQ(GetACP(), kSessionCodePage);
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"caption: NVIDIA QUADRO FX 580 \n", "caption: NVIDIA QUADRO FX 580 \n"},
        {u"M\u00dcLLER-PC \u20ac", "M\xDCLLER-PC \x80"},
        // No look-alikes: a path must not seem to name another file.
        {u"\u0141\u00f3d\u017a",
         "?\xF3"
         "d?"},
        {u"C:\\\u56fe\u7eb8\\", "C:\\??\\"},
        // One "?" per character, also beyond U+FFFF and for half of a pair.
        {u"\U0001F5B4 \U0001F5B4", "? ?"},
        {std::u16string(1, u'\xD800') + u"x" + std::u16string(1, u'\xDC00'), "?x?"},
        {u"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToLogEncoding(c.text), c.bytes) << testing::PrintToString(c.text);
    }
}

}  // namespace
