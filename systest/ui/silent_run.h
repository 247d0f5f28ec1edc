// The unattended run of QuarvelSysTest ("-silent"): no window and no message
// box. The same checks as the main dialog's run in the same order with the
// same texts; the report and the results as JSON go to files, one line per
// row and the summary to the console that started the program, and the
// answer is the exit code.
#pragma once

#include "systest/ui/app_module.h"
#include "systest/ui/command_line.h"

// The exit code of a command line that cannot be used, and of a report or
// results file that cannot be written.
inline constexpr int kExitBadCommandLine = -2;

// Runs with commandLine, whose silent switch is set. The exit code: the
// overall level (1 failed, 2 warning, 3 or 4 passed, 5 no row),
// kExitBadCommandLine, kExitStartupFailed without a language library, or
// kQuitCancelled when the agreement was not accepted for the user.
int RunSilently(AppModule& module, const CommandLine& commandLine);
