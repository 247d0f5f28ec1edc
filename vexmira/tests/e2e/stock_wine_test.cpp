// The real Vexmira.exe on stock Wine, whose one WMI adapter belongs to no
// display device: the adapter test ends the run with exit code 0 and no
// verdict line.
#include "vexmira/tests/e2e/vexmira_run.h"

#include <gtest/gtest.h>

namespace {

constexpr char kStockLog[] =
    "OpenGL test application version: 2.2\r\n\r\n"
    "Adapters test ...\r\n\r\n"
    "0 active video adapters were found.\r\n";

// How the system test program starts it: no arguments, from the program
// folder, which is its current directory.
TEST(StockWine, NoArgumentsLogsInTheCurrentDirectory) {
    ProgramFolderCopy program;
    SYSTEMTIME before;
    GetLocalTime(&before);
    const VexmiraRun run = RunVexmira(program.Path(), u"", program.Path());
    SYSTEMTIME after;
    GetLocalTime(&after);

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "");
    const std::vector<std::u16string> logs = LogFilesIn(program.Path());
    ASSERT_EQ(logs.size(), 1u);
    const std::vector<std::u16string> names = ExpectedLogNames(before, after);
    EXPECT_TRUE(logs[0] == names[0] || logs[0] == names[1]) << testing::PrintToString(logs[0]);
    EXPECT_EQ(ReadBytes(program.File(logs[0])), kStockLog);
}

// The system test gives it a console of its own and no standard handles; the
// log is then a stream of the log file's own (Wine's run-time cannot reopen a
// standard output that was never open), with the same CR LF line ends.
TEST(StockWine, NewConsoleAsTheSystemTestStartsItLogsTheSameLines) {
    ProgramFolderCopy program;
    const VexmiraRun run =
        RunVexmira(program.Path(), u"", program.Path(), VexmiraStart::NewConsole);
    EXPECT_EQ(run.exitCode, 0u);
    const std::vector<std::u16string> logs = LogFilesIn(program.Path());
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(ReadBytes(program.File(logs[0])), kStockLog);
}

TEST(StockWine, PrefixWithSuffixLogsInTheCurrentDirectory) {
    ProgramFolderCopy program;
    TempFolder work(u"vexmira_work");
    const VexmiraRun run = RunVexmira(program.Path(), program.Path() + u" -1", work.Path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "");
    const std::vector<std::u16string> logs = LogFilesIn(work.Path());
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(ReadBytes(work.File(logs[0])), kStockLog);
    EXPECT_TRUE(LogFilesIn(program.Path()).empty());
}

TEST(StockWine, PrefixWithoutSuffixWritesToStandardOutput) {
    ProgramFolderCopy program;
    TempFolder work(u"vexmira_work");
    const VexmiraRun run = RunVexmira(program.Path(), program.Path(), work.Path());
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, kStockLog);
    EXPECT_TRUE(LogFilesIn(work.Path()).empty());
    EXPECT_TRUE(LogFilesIn(program.Path()).empty());
}

// A command line beyond the 260-unit copy is cut, and the run goes on.
TEST(StockWine, OverlongCommandLineRunsOn) {
    ProgramFolderCopy program;
    TempFolder work(u"vexmira_work");
    const std::u16string tooLong = u"C:\\" + std::u16string(400, u'x') + u"\\";
    const VexmiraRun logged = RunVexmira(program.Path(), tooLong + u" -1", work.Path());
    EXPECT_EQ(logged.exitCode, 0u);
    ASSERT_EQ(LogFilesIn(work.Path()).size(), 1u);
    EXPECT_EQ(ReadBytes(work.File(LogFilesIn(work.Path())[0])), kStockLog);

    const VexmiraRun unlogged = RunVexmira(program.Path(), tooLong, work.Path());
    EXPECT_EQ(unlogged.exitCode, 0u);
    EXPECT_EQ(unlogged.output, kStockLog);
}

}  // namespace
