// The life of the program between its entry point and its exit code: the
// language library, the agreement page, the main dialog and the message loop,
// or with "-silent" the unattended run of silent_run.h.
#pragma once

#include <windows.h>

// The process exit codes besides the dialogs' quit codes (quit_codes.h).
inline constexpr int kExitStartupFailed = -1;  // no program directory or no language library
inline constexpr int kExitNoDialog = 0;        // a dialog could not be created

// COM and the common controls must be initialised on the calling thread.
int RunQuarvelSysTest(HINSTANCE instance, int showCommand);
