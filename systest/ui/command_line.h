// The switches of QuarvelSysTest's command line. Without "-silent" the program
// runs its pages as always and the command line decides nothing else here;
// with it, the checks run unattended and the command line must be whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    bool silent = false;                       // "-silent": no window, the answer is the exit code
    bool acceptAgreement = false;              // "-acceptagreement": accepted for the user
    std::optional<std::u16string> reportPath;  // "-report FILE"
    std::optional<std::u16string> jsonPath;    // "-json FILE"
    // Why the command line cannot be used, in English; empty when it can.
    std::u16string error;
};

// How a silent run is started, for the line that follows a bad command line.
inline constexpr std::u16string_view kCommandLineUsage =
    u"Usage: QuarvelSysTest.exe -silent -acceptagreement [-report FILE] [-json FILE]";

// The arguments after the program name, as Windows splits a command line.
// Switches count in any letter case and any order; "-verbosevideo" is known
// too. A file name is the argument after its switch, and must not itself begin
// with "-". A switch given twice, an unknown switch and a stray argument make
// the command line bad.
CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);
