// GetOSDisplayString, exported by name from QuarvelSysTest.exe: the description
// of the running Windows version and its verdict (os_identification.h).
//
// Other programs may load QuarvelSysTest.exe with LoadLibraryW and call it. The
// loader then binds the exe's imports but never runs its entry point, so this
// code depends on nothing that the C/C++ run-time's start-up sets up: no
// objects with constructors, no heap, fixed buffers only.
#pragma once

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

// description receives the description (256 units), verdict the verdict
// character, the required service pack's digit and a 0 (3 units). Returns 1;
// 0, with both buffers untouched, when the version cannot be read or is not
// Windows NT 5 or later (or a buffer is missing).
extern "C" __declspec(dllexport) int GetOSDisplayString(wchar_t* description, wchar_t* verdict);
