// The hourglass while the thread is busy.
#pragma once

#include <windows.h>

// Shows the system's wait cursor for its lifetime and then puts the cursor
// before it back.
class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(previous_); }

  private:
    HCURSOR previous_;
};
