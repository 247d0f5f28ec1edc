// The program module: its instance, whose dialog templates, icons and images
// the windows show (the language's texts come from LanguageResources), and
// the message loop of its one user-interface thread.
#pragma once

#include "systest/ui/message_loop.h"

#include <windows.h>

class AppModule {
  public:
    explicit AppModule(HINSTANCE instance) : instance_(instance) {}

    AppModule(const AppModule&) = delete;
    AppModule& operator=(const AppModule&) = delete;

    HINSTANCE Instance() const { return instance_; }

    // The loop that both dialogs take part in, on the thread that runs them.
    MessageLoop& Loop() { return loop_; }

  private:
    HINSTANCE instance_;
    MessageLoop loop_;
};
