// The diagnostic's output on a C run-time stream in text mode, which writes
// every "\n" as CR LF. The program passes the standard output, which
// RedirectToFile reopens onto the log file; without a log the lines go to
// whatever standard output the process inherited.
#pragma once

#include "vexmira/diagnostic_output.h"

#include <cstdio>
#include <string>
#include <string_view>

// The diagnostic's own UTF-16 texts in the log's 8-bit encoding: the system's
// ANSI code page, in which the text editors of the machine open the log. A
// character the code page lacks becomes "?", never a look-alike letter, so a
// path in the log is never mistaken for another one.
std::string ToLogEncoding(std::u16string_view text);

class TextStreamOutput final : public DiagnosticOutput {
  public:
    explicit TextStreamOutput(FILE* stream) : stream_(stream) {}
    // Closes the log file; an inherited stream is only flushed.
    ~TextStreamOutput() override;

    TextStreamOutput(const TextStreamOutput&) = delete;
    TextStreamOutput& operator=(const TextStreamOutput&) = delete;

    // Reopens the stream onto the file, created or emptied, in text mode. On
    // failure the stream stays closed and the output is dropped.
    bool RedirectToFile(const std::u16string& fileName);

    void Print(std::u16string_view text) override;
    void PrintBytes(std::string_view bytes) override;

  private:
    FILE* stream_;
    bool open_ = true;
    bool redirected_ = false;
};
