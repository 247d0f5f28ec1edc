// The diagnostic's run from its command line to its exit code: adapter test,
// hidden window and OpenGL context, card list, capability and shader tests,
// each finding in the log and the verdict as the exit code.
#pragma once

#include "adapters/diagnostic_log.h"
#include "vexmira/diagnostic_environment.h"

#include <functional>
#include <string_view>

// The exit codes, the contract with the system test program that starts the
// diagnostic.
inline constexpr int kExitNotSupported = 0;    // not supported, or a test failed
inline constexpr int kExitRemoteSession = 1;   // nothing tested
inline constexpr int kExitDriverOutdated = 2;  // supported, driver older than listed
inline constexpr int kExitSupported = 3;
// Supported on switchable graphics with OpenGL 3 or later; the list was not read.
inline constexpr int kExitSwitchableGraphics = 4;

// Switchable graphics: the system sees a single Intel adapter (the adapter
// summary 0) while OpenGL comes from another vendor.
bool IsSwitchableGraphics(int adapterSummary, std::string_view glVendor);

// The card list step for the OpenGL version text the driver gives (its first
// character is the major version). With OpenGL 3 or later the list is not
// read on switchable graphics (kExitSwitchableGraphics), and otherwise only
// the reduced search runs, whose result passes through; below 3 the full
// search runs, and a listed adapter whose driver is current counts as
// kExitSupported. search runs the list search in a mode (0 reduced, 1 full).
// Returns the card result, kExitNotSupported when the card fails the step;
// the step's own lines go to log.
int RunCardListStep(std::string_view glVersion, bool switchableGraphics,
                    const std::function<int(int mode)>& search, DiagnosticLog& log);

// commandLine is the text after the program name.
int RunDiagnosticFlow(std::u16string_view commandLine, DiagnosticEnvironment& environment);
