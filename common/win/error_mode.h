// The process's error mode, widened for a while.
#pragma once

#include <windows.h>

// Adds flags to the process's error mode for its lifetime and then puts the
// earlier mode back. SetErrorMode replaces the whole mode and returns the one
// before (Windows XP has no GetErrorMode), so the earlier flags are kept by
// setting the mode twice.
class AddedErrorMode {
  public:
    explicit AddedErrorMode(UINT flags) : previous_(SetErrorMode(flags)) {
        SetErrorMode(previous_ | flags);
    }
    AddedErrorMode(const AddedErrorMode&) = delete;
    AddedErrorMode& operator=(const AddedErrorMode&) = delete;
    ~AddedErrorMode() { SetErrorMode(previous_); }

  private:
    UINT previous_;
};
