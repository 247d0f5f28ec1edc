// The version of the running Windows.
#pragma once

#include "common/windows_version.h"

#include <windows.h>

// The version GetVersionExW gives; 0.0 when it cannot be read.
inline WindowsVersion RunningWindowsVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info)) {
        return {};
    }
    return {info.dwMajorVersion, info.dwMinorVersion};
}
