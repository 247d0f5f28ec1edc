// Starting a program from a command line, as the launcher starts the
// diagnostic program.
#pragma once

#include <cstdint>
#include <string>

// Where the warning goes when a program cannot be started.
class StartFailureNotice {
  public:
    virtual ~StartFailureNotice() = default;
    virtual void Show(const std::u16string& text) = 0;
};

// A warning box "lsystem" without owner, which waits for the user.
class StartFailureBox final : public StartFailureNotice {
  public:
    void Show(const std::u16string& text) override;
};

// Starts commandLine with the system's search order (the running program's
// folder first, then the current directory and the path) in the current
// directory. newConsole gives it a console of its own (else none); it is
// shown only when it has a new console and visible is set. With wait, waits
// without a time limit and returns its exit code; else returns 0. When it
// cannot be started, tells failure and returns -1.
int32_t RunProcess(bool newConsole, const std::u16string& commandLine, bool visible, bool wait,
                   StartFailureNotice& failure);

// The text of the warning box: the command line and the system error code.
std::u16string StartFailureText(const std::u16string& commandLine, uint32_t error);
