#include "vexmira/command_line.h"
#include "adapters/diagnostic_contract.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ParseCommandLine, PrefixAndLogFlag) {
    const struct {
        std::u16string text;
        std::u16string prefix;
        bool log;
    } cases[] = {
        // How the system test starts the diagnostic: log in the current directory.
        {u"", u"", true},
        {u"C:\\Tools\\ -1", u"C:\\Tools\\", true},
        {u"C:\\Tools\\", u"C:\\Tools\\", false},
        {u"\\\\server\\share\\cad\\ -1", u"\\\\server\\share\\cad\\", true},
        // Quotes stay: the prefix is plain text, so no file is found there
        // and the log tells so.
        {u"\"C:\\Program Files\\Quarvel\\\" -1", u"\"C:\\Program Files\\Quarvel\\\"", true},
        // Four characters or fewer: taken as they stand, log kept.
        {u"C:\\", u"C:\\", true},
        {u"D:\\x", u"D:\\x", true},
        {u"x -1", u"x -1", true},
        {u" -1", u" -1", true},
        {u"ab -1", u"ab", true},
        {u" -1 -1", u" -1", true},
        // Only the exact suffix at the very end counts.
        {u"C:\\Tools\\-1", u"C:\\Tools\\-1", false},
        {u"C:\\Tools\\ -1 ", u"C:\\Tools\\ -1 ", false},
        {u"C:\\Tools\\ -2", u"C:\\Tools\\ -2", false},
        {u"C:\\Tools\\ -10", u"C:\\Tools\\ -10", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        const CommandLine commandLine = ParseCommandLine(c.text);
        EXPECT_EQ(commandLine.prefix, c.prefix);
        EXPECT_EQ(commandLine.logEnabled, c.log);
    }
}

TEST(ParseCommandLine, LongCommandLinesAreCutToTheBuffer) {
    const std::u16string folder = u"C:\\" + std::u16string(400, u'a') + u"\\";
    const struct {
        std::u16string text;
        std::u16string prefix;
        bool log;
    } cases[] = {
        {std::u16string(259, u'a'), std::u16string(259, u'a'), false},
        {std::u16string(260, u'a'), std::u16string(259, u'a'), false},
        {folder, folder.substr(0, 259), false},
        // The suffix is found on the whole command line, so the log is written.
        {folder + u" -1", folder.substr(0, 259), true},
        {std::u16string(259, u'a') + u" -1", std::u16string(259, u'a'), true},
        {std::u16string(256, u'a') + u" -1", std::u16string(256, u'a'), true},
        // Half of a surrogate pair is never kept at the cut.
        {std::u16string(258, u'a') + u"\U0001F5B4b", std::u16string(258, u'a'), false},
        {std::u16string(257, u'a') + u"\U0001F5B4b", std::u16string(257, u'a') + u"\U0001F5B4",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.size());
        const CommandLine commandLine = ParseCommandLine(c.text);
        EXPECT_EQ(commandLine.prefix, c.prefix);
        EXPECT_LT(commandLine.prefix.size(), kCommandLineBufferSize);
        EXPECT_EQ(commandLine.logEnabled, c.log);
    }
}

TEST(LogFileName, ComputerNameAndLocalTime) {
    const struct {
        std::u16string computer;
        LocalTime time;
        std::u16string name;
    } cases[] = {
        {u"PC7", {2012, 3, 3, 9, 5}, u"vexmira_PC7_2012-3-3_0905.txt"},
        {u"WS-CAD-01", {2026, 12, 31, 23, 59}, u"vexmira_WS-CAD-01_2026-12-31_2359.txt"},
        {u"PC7", {2012, 10, 1, 0, 0}, u"vexmira_PC7_2012-10-1_0000.txt"},
        {u"M\u00dcLLER-PC", {2012, 1, 9, 12, 30}, u"vexmira_M\u00dcLLER-PC_2012-1-9_1230.txt"},
        {u"", {2012, 1, 9, 12, 30}, u"vexmira__2012-1-9_1230.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LogFileName(c.computer, c.time), c.name);
    }
}

}  // namespace
