// The message loop of the user-interface thread, shared by the agreement page
// and the main dialog: dialogs take part as message filters (for keyboard
// navigation) and idle handlers.
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

class IdleHandler {
  public:
    virtual void OnIdle() = 0;

  protected:
    ~IdleHandler() = default;
};

class MessageLoop {
  public:
    void AddMessageFilter(MessageFilter& filter) { filters_.push_back(&filter); }
    void RemoveMessageFilter(MessageFilter& filter);
    void AddIdleHandler(IdleHandler& handler) { idleHandlers_.push_back(&handler); }
    void RemoveIdleHandler(IdleHandler& handler);

    // Runs until WM_QUIT arrives and returns its code. When no message waits,
    // the idle handlers run once, and again only after a message other than
    // mouse moves, paints and the system timer.
    int Run();

  private:
    bool Filter(MSG& message);
    void RunIdleHandlers();

    std::vector<MessageFilter*> filters_;     // the most recent is asked first
    std::vector<IdleHandler*> idleHandlers_;  // called in registration order
};
