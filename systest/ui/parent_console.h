// The console of the program that started QuarvelSysTest, when it has one: a
// GUI program has no console of its own, but an unattended run started from a
// command prompt answers there too.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <string_view>

class ParentConsole {
  public:
    // Attaches to the parent's console; without one, lines go nowhere. The
    // program stays attached until it ends.
    ParentConsole();
    ParentConsole(const ParentConsole&) = delete;
    ParentConsole& operator=(const ParentConsole&) = delete;

    // Writes the text and a line break: to the console as UTF-16, or, when the
    // standard output is redirected to a file or pipe, as UTF-8.
    void WriteLine(std::u16string_view text);

  private:
    bool attached_ = false;
    HANDLE output_ = nullptr;     // the standard output, or ownOutput_
    UniqueFileHandle ownOutput_;  // "CONOUT$" when the standard output is none
    bool outputIsConsole_ = false;
};
