// Runs a program that must show nothing and watches it from outside: a
// WinEvent hook hears of every window the program creates, and its top-level
// windows are looked at every few milliseconds while it runs. A dialog or a
// message box (both of the class "#32770") or any visible window counts.
#pragma once

#include "systest/ui/tests/e2e/app_driver.h"

#include <windows.h>

#include <string>

struct WatchedRun {
    bool ended = false;          // by itself, before the time was up and before a window showed
    DWORD exitCode = 0;          // when it ended
    int windowsCreated = 0;      // hidden ones of the system (COM, IME) among them
    int dialogsCreated = 0;      // dialogs and message boxes
    int visibleWindowsSeen = 0;  // top-level windows of the program seen visible
};

// Starts program with arguments in folder, its standard output and error going
// to output (inheritable; null for none), and waits for it to end. A program
// that shows a window or a dialog is ended at once, so a box that waits for a
// click fails the test without waiting for the time.
WatchedRun RunWatched(const std::wstring& program, const std::wstring& arguments,
                      const std::wstring& folder, HANDLE output = nullptr,
                      DWORD timeoutMs = kDefaultTimeoutMs);
