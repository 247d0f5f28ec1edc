// The life of the program between its entry point and its exit code: the
// language library, the agreement page, the main dialog and the message loop,
// or with "-silent" the unattended run of silent_run.h.
#pragma once

#include <windows.h>

// COM and the common controls must be initialised on the calling thread. The
// result is the exit code (exit_codes.h).
int RunQuarvelSysTest(HINSTANCE instance, int showCommand);
