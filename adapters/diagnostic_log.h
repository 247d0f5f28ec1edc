// Where the diagnostic program writes its findings: its log file in the
// program, memory in the tests.
#pragma once

#include <string_view>

class DiagnosticLog {
  public:
    virtual ~DiagnosticLog() = default;
    // One of the diagnostic's own messages, UTF-16 with "\n" line ends; the log
    // file turns it into 8-bit text with CR LF.
    virtual void Print(std::u16string_view text) = 0;
};
