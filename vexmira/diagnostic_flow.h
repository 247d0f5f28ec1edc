// The diagnostic's run from its command line to its exit code: adapter test,
// hidden window and OpenGL context, card list, capability and shader tests,
// each finding in the log and the verdict as the exit code.
#pragma once

#include "vexmira/diagnostic_environment.h"

#include <string_view>

// The exit codes, the contract with the system test program that starts the
// diagnostic.
inline constexpr int kExitNotSupported = 0;    // not supported, or a test failed
inline constexpr int kExitRemoteSession = 1;   // nothing tested
inline constexpr int kExitDriverOutdated = 2;  // supported, driver older than listed
inline constexpr int kExitSupported = 3;
// Supported on switchable graphics with OpenGL 3 or later; the list was not read.
inline constexpr int kExitSwitchableGraphics = 4;

// commandLine is the text after the program name.
int RunDiagnosticFlow(std::u16string_view commandLine, DiagnosticEnvironment& environment);
