// GetOSDisplayString, exported by name from QuarvelSysTest.exe, as a program
// that loads the exe calls it. It has the C calling convention (__cdecl) on
// both architectures, so a 32-bit caller's pointer type matches and the export
// carries the plain name "GetOSDisplayString":
//
//     HMODULE program = LoadLibraryW(L"QuarvelSysTest.exe");
//     GetOSDisplayStringFunction getOSDisplayString = (GetOSDisplayStringFunction)
//         GetProcAddress(program, "GetOSDisplayString");
//
// description receives the description of the running Windows version, e.g.
// "Microsoft Windows 7 Professional Service Pack 1 (build 7601), 64-bit"
// (cut to fit, always terminated); verdict receives the verdict character
// ('+' supported, '?' service pack newer than known, '-' service pack too old,
// 'D' not supported, 'N' newer Windows), the required service pack as a digit
// (0 for 'D' and 'N') and a terminating 0. The result is 1; it is 0, with both
// buffers untouched, when the version cannot be read or is not Windows NT 5 or
// later. Written in C so that C and C++ callers alike can include it.
#pragma once

#include <wchar.h>

#define GET_OS_DISPLAY_STRING_DESCRIPTION_UNITS 256
#define GET_OS_DISPLAY_STRING_VERDICT_UNITS 3

#ifdef __cplusplus
extern "C" {
#endif

typedef int(__cdecl* GetOSDisplayStringFunction)(wchar_t* description, wchar_t* verdict);

int __cdecl GetOSDisplayString(wchar_t* description, wchar_t* verdict);

#ifdef __cplusplus
}
#endif
