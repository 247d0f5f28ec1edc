// The exit codes of QuarvelSysTest, and the codes with which its dialogs end
// the message loop (the last one becomes the exit code). An unattended run
// ends with the overall level of its checks (1 to 5) or one of these.
#pragma once

inline constexpr int kExitStartupFailed = -1;   // no program directory or no language library
inline constexpr int kExitBadCommandLine = -2;  // or a report or results file not written
inline constexpr int kExitNoDialog = 0;         // a dialog could not be created
inline constexpr int kExitUsageShown = 0;       // a help switch: the usage and nothing else
inline constexpr int kQuitAccepted = 1;   // the agreement accepted; the main dialog closed with OK
inline constexpr int kQuitCancelled = 2;  // declined, Esc or the close box
