// The switches of QuarvelSysTest's command line. A command line with "-silent",
// or with any switch that only an unattended run takes, is an unattended run:
// it must be whole, and anything wrong in it ends the run at once, without a
// window. Any other command line starts the program with its pages as always.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    // "-silent", "-acceptagreement", "-report" or "-json" (or one of them
    // written with "/"), anywhere on the command line: no window, the answer
    // is the exit code.
    bool unattended = false;
    bool acceptAgreement = false;              // "-acceptagreement": accepted for the user
    std::optional<std::u16string> reportPath;  // "-report FILE"
    std::optional<std::u16string> jsonPath;    // "-json FILE"
    // Why the command line cannot be used, in English; empty when it can.
    // Its first fault.
    std::u16string error;
};

// How a silent run is started, for the line that follows a bad command line.
inline constexpr std::u16string_view kCommandLineUsage =
    u"Usage: QuarvelSysTest.exe -silent -acceptagreement [-report FILE] [-json FILE]";

// The arguments after the program name, as Windows splits a command line.
// Switches count in any letter case and any order; "-verbosevideo" is known
// too. A file name is the argument after its switch, and must not itself begin
// with "-". A switch given twice, an unknown switch, a stray argument, and an
// unattended switch without "-silent" make the command line bad. Every
// argument is read, so that a fault before "-silent" still ends the run
// unattended.
CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);
