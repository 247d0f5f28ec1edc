// What passes between QuarvelSysTest and the diagnostic Vexmira.exe it
// starts: the diagnostic's exit code, its verdict, and the name of the log it
// writes, which QuarvelSysTest names in its results.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The exit codes of the diagnostic.
inline constexpr int32_t kDiagnosticNotSupported = 0;    // not supported, or a test failed
inline constexpr int32_t kDiagnosticRemoteSession = 1;   // a remote session: nothing tested
inline constexpr int32_t kDiagnosticDriverOutdated = 2;  // supported, driver older than listed
inline constexpr int32_t kDiagnosticSupported = 3;
// Supported on switchable graphics with OpenGL 3 or later; the list was not read.
inline constexpr int32_t kDiagnosticSwitchableGraphics = 4;

// The fields of SYSTEMTIME that the log's name uses.
struct LocalTime {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
};

// "vexmira_PC7_2012-3-3_0905.txt" for PC7 at 09:05 on 3 March 2012: the date
// without leading zeros, hour and minute with two digits. No folder part: the
// file goes to the current directory.
std::u16string LogFileName(std::u16string_view computerName, const LocalTime& time);
