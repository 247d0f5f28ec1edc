// The diagnostic's command line: an optional directory prefix for the files it
// reads, and the suffix " -1" that asks for a log file when the prefix is given.
#pragma once

#include <string>
#include <string_view>

// The command line is copied into a buffer of this many UTF-16 units, so the
// prefix holds at most one less.
inline constexpr size_t kCommandLineBufferSize = 260;

struct CommandLine {
    // Put before the file names as it stands, without a separator: a folder must
    // end with a backslash. Empty means the current directory.
    std::u16string prefix;
    // Whether the output goes to the log file rather than the standard output.
    bool logEnabled = true;
};

// The text after the program name. A text of four characters or fewer is the
// prefix as it stands and keeps the log. A longer one keeps the log only when it
// ends with " -1", which is then cut off. Whether the suffix is there is decided
// on the whole text; the prefix is then cut to the buffer, never beyond.
CommandLine ParseCommandLine(std::u16string_view text);
