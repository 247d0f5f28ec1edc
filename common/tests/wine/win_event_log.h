// The WinEvents a screen reader receives from one window, recorded while the
// log lives. For a window of this process the hook runs in context, inside
// NotifyWinEvent, so the log is complete when the call that raised the events
// returns. For another process's window it runs out of context: the events
// arrive as this thread handles its messages (WaitFor).
#pragma once

#include <windows.h>

#include <ostream>
#include <vector>

struct WinEventEntry {
    DWORD event;
    LONG object;  // OBJID_CLIENT for what a control tells of its client area
    LONG child;   // CHILDID_SELF or the child's id

    friend bool operator==(const WinEventEntry&, const WinEventEntry&) = default;
};

void PrintTo(const WinEventEntry& entry, std::ostream* os);

class WinEventLog {
  public:
    // The events first to last of the window; one log at a time.
    WinEventLog(HWND window, DWORD firstEvent, DWORD lastEvent);
    ~WinEventLog();
    WinEventLog(const WinEventLog&) = delete;
    WinEventLog& operator=(const WinEventLog&) = delete;

    bool Hooked() const { return hook_ != nullptr; }
    // What has arrived since the log began or was last cleared.
    const std::vector<WinEventEntry>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }
    // Handles this thread's messages until the entry has arrived, at most
    // for the time; whether it did.
    bool WaitFor(const WinEventEntry& entry, DWORD timeoutMs);

  private:
    static void CALLBACK Record(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                LONG child, DWORD thread, DWORD time);

    HWND window_;
    HWINEVENTHOOK hook_ = nullptr;
    std::vector<WinEventEntry> entries_;
};
