// GetOSDisplayString, exported by name from QuarvelSysTest.exe: the description
// of the running Windows version and its verdict (os_identification.h). Its
// callers' header is get_os_display_string.h.
//
// Other programs may load QuarvelSysTest.exe with LoadLibraryW and call it. The
// loader then binds the exe's imports but never runs its entry point, so this
// code depends on nothing that the C/C++ run-time's start-up sets up: no
// objects with constructors, no heap, fixed buffers only.
#pragma once

#include "systest/engine/get_os_display_string.h"
#include "systest/engine/os_identification.h"

#include <windows.h>

#include <array>

// szCSDVersion of OSVERSIONINFOEXW.
inline constexpr size_t kServicePackTextUnits = 128;
using ServicePackText = std::array<char16_t, kServicePackTextUnits>;

// Reads the facts from GetVersionExW, GetNativeSystemInfo (GetSystemInfo where
// it is missing), GetSystemMetrics(SM_SERVERR2) and, for version 6,
// GetProductInfo where the system has it. facts.servicePack points into
// servicePack. False when GetVersionExW fails.
bool ReadOSVersionFacts(OSVersionFacts& facts, ServicePackText& servicePack);
