// The program module: its instance, the current resource module that dialogs,
// icons, bitmaps and strings are loaded from, the resource libraries (the
// language library) and the message loop of its one user-interface thread.
#pragma once

#include "common/win/handles.h"
#include "systest/ui/message_loop.h"

#include <vector>

class AppModule {
  public:
    explicit AppModule(HINSTANCE instance) : instance_(instance), resourceModule_(instance) {}

    AppModule(const AppModule&) = delete;
    AppModule& operator=(const AppModule&) = delete;

    HINSTANCE Instance() const { return instance_; }

    // The program itself until the main dialog switches to the language library.
    HMODULE ResourceModule() const { return resourceModule_; }
    void SetResourceModule(HMODULE module) { resourceModule_ = module; }

    // The libraries stay loaded until the module ends with the process.
    void AddResourceLibrary(UniqueLibrary library) { libraries_.push_back(std::move(library)); }
    const std::vector<UniqueLibrary>& ResourceLibraries() const { return libraries_; }
    // The first resource library: the language library; null before it is loaded.
    HMODULE LanguageLibrary() const { return libraries_.empty() ? nullptr : libraries_[0].get(); }

    // The loop that both dialogs take part in, on the thread that runs them.
    MessageLoop& Loop() { return loop_; }

  private:
    HINSTANCE instance_;
    HMODULE resourceModule_;
    std::vector<UniqueLibrary> libraries_;
    MessageLoop loop_;
};
