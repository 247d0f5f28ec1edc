// Where an unattended run writes its lines: to the file or pipe its standard
// output was redirected to, or to the console of the command prompt that
// started it, or nowhere (output_sink.h decides). A GUI program has no console
// of its own.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <string_view>

class SilentOutput {
  public:
    // Looks at the standard output and, only when the lines go to the parent's
    // console, attaches to it; the program stays attached until it ends.
    SilentOutput();
    SilentOutput(const SilentOutput&) = delete;
    SilentOutput& operator=(const SilentOutput&) = delete;

    // Writes the text and a line break: to the console as UTF-16, to a file or
    // pipe as UTF-8.
    void WriteLine(std::u16string_view text);

    // Started with no console to answer on and no output sent anywhere: from
    // Explorer, a shortcut or the Run box. Only a window reaches the user then.
    bool StartedWithoutConsole() const { return withoutConsole_; }

  private:
    HANDLE output_ = nullptr;   // the standard output, or console_
    UniqueFileHandle console_;  // "CONOUT$" of the parent's console
    bool toConsole_ = false;
    bool withoutConsole_ = false;
};
