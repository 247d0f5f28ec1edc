// The unattended run of QuarvelSysTest ("-silent"): no window and no message
// box. The same checks as the main dialog's run in the same order with the
// same texts; the report and the results as JSON go to files, one line per
// row and the summary to the standard output (silent_output.h), and the
// answer is the exit code.
#pragma once

#include "systest/ui/command_line.h"

// Runs an unattended command line. The exit code: the overall level (1
// failed, 2 warning, 3 or 4 passed, 5 no row), or of
// exit_codes.h kExitBadCommandLine (also for a file not written),
// kExitStartupFailed without a language library, or kQuitCancelled when the
// agreement was not accepted for the user.
int RunSilently(const CommandLine& commandLine);
