// Where every line of the diagnostic goes: the log file, or the standard output
// when the run keeps no log. Two kinds of text reach it: the diagnostic's own
// UTF-16 messages and the 8-bit texts that come from OpenGL.
#pragma once

#include "adapters/diagnostic_log.h"

#include <string_view>

class DiagnosticOutput : public DiagnosticLog {
  public:
    // A text of the OpenGL driver (strings, extension names, info logs), written
    // byte for byte; "\n" ends a line as in Print.
    virtual void PrintBytes(std::string_view bytes) = 0;
};

// Writes an 8-bit message whose one "%s" stands for a text from OpenGL, such as
// "Vendor : %s\n". The text is put in unchanged, whatever it contains.
void PrintOpenGLText(DiagnosticOutput& output, std::string_view format, std::string_view text);
