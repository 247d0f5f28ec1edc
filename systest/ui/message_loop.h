// The message loop of the user-interface thread, shared by the agreement page
// and the main dialog: dialogs take part as message filters (for keyboard
// navigation).
#pragma once

#include <windows.h>

#include <vector>

class MessageFilter {
  public:
    // True when the filter took the message; it is then not dispatched.
    virtual bool PreTranslateMessage(MSG& message) = 0;

  protected:
    ~MessageFilter() = default;
};

class MessageLoop {
  public:
    void AddMessageFilter(MessageFilter& filter) { filters_.push_back(&filter); }
    void RemoveMessageFilter(MessageFilter& filter);

    // Runs until WM_QUIT arrives and returns its code.
    int Run();

  private:
    bool Filter(MSG& message);

    std::vector<MessageFilter*> filters_;  // the most recent is asked first
};
