// The program module: its instance, the current resource module that dialogs,
// icons, bitmaps and strings are loaded from, the resource libraries (the
// language library) and the message loop of each thread.
#pragma once

#include "common/win/handles.h"
#include "systest/ui/message_loop.h"

#include <map>
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

    void AddMessageLoop(MessageLoop& loop) { loops_[GetCurrentThreadId()] = &loop; }
    void RemoveMessageLoop() { loops_.erase(GetCurrentThreadId()); }
    // The loop of the calling thread, null when it has none.
    MessageLoop* ThreadMessageLoop() const;

  private:
    HINSTANCE instance_;
    HMODULE resourceModule_;
    std::vector<UniqueLibrary> libraries_;
    std::map<DWORD, MessageLoop*> loops_;
};
