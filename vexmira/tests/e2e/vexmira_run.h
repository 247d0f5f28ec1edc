// Runs the real Vexmira.exe under Wine the way the system test program does:
// a new process with a hidden window, in a given current directory, with its
// standard output captured or with a console of its own.
#pragma once

#include "common/tests/wine/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

struct VexmiraRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // what it wrote to its standard output
};

// How the run's standard output is set up.
enum class VexmiraStart {
    CapturedOutput,  // a pipe of the test's, which the run's output fills
    NewConsole,      // as the system test starts it: a new console, nothing inherited
};

// The longest a run may take (Mesa's shader compiler needs a second or two),
// well within ctest's limit of a test: a run that hangs fails its test.
inline constexpr DWORD kRunTimeoutMs = 60 * 1000;

// arguments: the text after the program name, "" for none.
VexmiraRun RunVexmira(const std::u16string& programFolder, std::u16string_view arguments,
                      const std::u16string& currentDirectory,
                      VexmiraStart start = VexmiraStart::CapturedOutput);

// The folder the build puts the programs and their data in (QST_PROGRAM_DIR),
// with its closing backslash.
std::u16string ShippedProgramFolder();

// The names of the log files "vexmira_*.txt" in a folder.
std::vector<std::u16string> LogFilesIn(const std::u16string& folder);

// The log file names a run between the two moments may have made.
std::vector<std::u16string> ExpectedLogNames(const SYSTEMTIME& before, const SYSTEMTIME& after);

// Whether two logs are the same byte for byte; on a difference it shows the
// first line that differs instead of both logs whole.
testing::AssertionResult SameLog(const std::string& actual, const std::string& expected);

// Whether the lines hold the expected ones in this order, each found after the
// one before; prints what is missing.
testing::AssertionResult ContainsInOrder(const std::vector<std::string>& lines,
                                         const std::vector<std::string>& expected);

// The files that ship in the program folder and that Vexmira.exe reads.
inline constexpr const char16_t* kShippedFiles[] = {
    u"Vexmira.exe", u"GraphicsCardGBList.txt", u"Lines.vert",
    u"Lines.frag",  u"HiddenEdges.vert",       u"HiddenEdges.frag",
};

// A copy of a shipped program folder, as a user who unzips it elsewhere has
// it; a test may replace files of it.
class ProgramFolderCopy : public TempFolder {
  public:
    explicit ProgramFolderCopy(const std::u16string& source = ShippedProgramFolder());
};
