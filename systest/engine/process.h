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

// WaitForSingleObject's INFINITE.
inline constexpr uint32_t kNoTimeLimit = 0xFFFFFFFF;

struct ProcessStart {
    bool newConsole = false;              // a console of its own, else none
    bool visible = false;                 // shown only with a console of its own
    bool wait = true;                     // wait for its end
    uint32_t timeLimitMs = kNoTimeLimit;  // the longest wait; then the program is ended
    std::u16string currentDirectory;      // empty: the caller's
};

enum class ProcessEnd {
    NotStarted,  // the caller's StartFailureNotice has been told
    Started,     // not waited for
    Exited,
    TimedOut,  // ended with TerminateProcess at the time limit
};

struct ProcessResult {
    ProcessEnd end = ProcessEnd::NotStarted;
    uint32_t exitCode = 0;  // when it exited
};

// Starts the program file at the full path program with commandLine, which
// names it as it likes: the system searches no folder for it, so no other
// folder's file of that name ever runs. While it waits, the thread paints its
// windows and answers the messages sent to it, so a window on the screen stays
// drawn and responsive; input stays queued. When it cannot be started, tells
// failure the command line and the system's error.
ProcessResult RunProcess(const std::u16string& program, const std::u16string& commandLine,
                         const ProcessStart& start, StartFailureNotice& failure);

// The text of the warning box: the command line and the system error code.
std::u16string StartFailureText(const std::u16string& commandLine, uint32_t error);
