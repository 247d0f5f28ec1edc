// The switches of QuarvelSysTest's command line. A help switch ("/?") shows
// the usage and nothing else runs. A command line with "-silent", or with any
// switch that only an unattended run takes, is an unattended run: it must be
// whole, and anything wrong in it ends the run at once, without a window. Any
// other command line starts the program with its pages as always.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CommandLine {
    // "/?", "-?", "-help" or "/help" anywhere on the command line: the usage
    // instead of anything else, whatever the rest holds.
    bool help = false;
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

// What the help switches show, a line each: how the program is started, the
// switches, and the exit codes of a silent run. In English, as every line
// about the command line is: it is read before any language library.
inline constexpr std::u16string_view kUsageLines[] = {
    kCommandLineUsage,
    u"Without switches, QuarvelSysTest shows the license agreement and then the results of its "
    u"checks.",
    u"",
    u"  -silent  no window; without -acceptagreement nothing runs and nothing is written",
    u"  -acceptagreement  accept the license agreement for the user",
    u"  -report FILE  the report goes to FILE instead of QuarvelSysTest.txt in the temporary "
    u"folder",
    u"  -json FILE  the results go to FILE as JSON",
    u"  /?, -help  this text",
    u"Switches count in any order and letter case.",
    u"",
    u"Exit codes of a silent run:",
    u"  1  failed: a requirement is not met",
    u"  2  warning: the minimum is met, not every recommendation; or the screen and the graphics "
    u"could not be checked (no interactive desktop); or the agreement was not accepted",
    u"  3, 4  passed (4: with margin)",
    u"  5  no check gave a result",
    u"  -1  the program could not start: no language library beside it",
    u"  -2  bad command line, or a report or JSON file that cannot be written",
};

// The arguments after the program name, as Windows splits a command line.
// Switches count in any letter case and any order; "-verbosevideo" and the
// help switches are known too. A file name is the argument after its switch, and must not itself
// begin with "-". A switch given twice, an unknown switch, a stray argument, and an unattended
// switch without "-silent" make the command line bad. Every argument is read, so that a fault
// before "-silent" still ends the run unattended.
CommandLine ParseCommandLine(const std::vector<std::u16string>& arguments);
