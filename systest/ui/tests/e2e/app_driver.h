// Drives a running program from outside, the way a user does: finds its
// top-level windows, reads their controls, clicks buttons and presses keys.
// The end-to-end tests and the run command use it.
#pragma once

#include "common/win/handles.h"

#include <string>
#include <vector>

// Every wait has a limit of its own, well within a test's ctest timeout, so a
// window that never comes fails the test, not the test run. Checks of a whole
// program run wait for the diagnostic program too.
inline constexpr DWORD kDefaultTimeoutMs = 60000;
// A window that comes without checks: the agreement page, a message box, the
// report in its viewer.
inline constexpr DWORD kWindowTimeoutMs = 20000;
// A program that was told to end.
inline constexpr DWORD kExitTimeoutMs = 20000;
// The same for the 32-bit release: each of its programs, and the viewer its
// report opens, starts in about a minute under Wine's emulation here.
inline constexpr DWORD kX86TimeoutMs = 600000;

class AppDriver {
  public:
    AppDriver() = default;
    AppDriver(const AppDriver&) = delete;
    AppDriver& operator=(const AppDriver&) = delete;

    // Starts the program with the command line in the working directory, as
    // Explorer does (no console, no standard handles), in a job object that
    // ends it and the programs it starts (the diagnostic, the report's
    // viewer) when the driver goes, also when the test program itself ends
    // early.
    bool Start(const std::wstring& program, const std::wstring& arguments,
               const std::wstring& workingDirectory);
    DWORD ProcessId() const { return processId_; }

    // The first visible top-level window of the program with this caption;
    // null when none appears within the time or the program ends.
    HWND WaitForWindow(const std::wstring& caption, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // The same for the first one with a control of that identifier: a dialog
    // of the program in whichever language it speaks.
    HWND WaitForWindowWithItem(int id, DWORD timeoutMs = kDefaultTimeoutMs) const;
    // Whether the program has a visible top-level window with that caption.
    bool HasWindow(const std::wstring& caption) const;

    // Waits for the program to end; its exit code, or nothing on a timeout.
    bool WaitForExit(DWORD timeoutMs, DWORD& exitCode) const;
    // Ends the program and what it started, and waits a limited time for all
    // of them to be gone (so that their folder can be removed).
    void Terminate() const;

  private:
    std::vector<HWND> VisibleTopLevelWindows() const;
    template <typename Matches>
    HWND WaitForMatchingWindow(Matches matches, DWORD timeoutMs) const;

    // Closing it ends the program and all it started.
    UniqueKernelHandle job_;
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

// A visible top-level window of any program whose caption contains the text,
// waiting for it to appear; null after the time.
HWND WaitForAnyWindowContaining(const std::wstring& text, DWORD timeoutMs = kWindowTimeoutMs);

// UTF-8, as the report file and a terminal hold text.
std::string Utf8(const std::wstring& text);

// A report with what two runs of one machine need not share masked: the
// drive letter of the disk row and the minute that names Vexmira's log.
std::string MaskVaryingFacts(std::string report);
std::wstring ItemText(HWND dialog, int id);
// Clicks a button of another process's dialog and returns once it is handled.
void ClickButton(HWND dialog, int id);
// Presses a key in the window that has the focus in the dialog's thread.
void PressKey(HWND dialog, UINT virtualKey);
// Keys as the user types them: input that the system hands to the window in
// front (SendInput), not messages posted to one window. A key goes down or
// up; TypeKey presses and releases it, with a modifier held around it
// (VK_CONTROL, VK_SHIFT) when one is given.
void SendKey(WORD virtualKey, bool down);
void TypeKey(WORD virtualKey, WORD modifier = 0);
// Waits until the window has the focus in its thread; whether it got it in time.
bool WaitForFocus(HWND window, DWORD timeoutMs);
bool IsItemEnabled(HWND dialog, int id);
int ListBoxCount(HWND dialog, int id);
