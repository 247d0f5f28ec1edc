// Starting a program from a command line, as the launcher starts the
// diagnostic program, and waiting for it while the program's windows stay
// drawn.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

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
    bool newConsole = false;  // a console of its own, else none
    bool visible = false;     // shown only with a console of its own
    // The longest the program may run, counted from its start; then the wait
    // ends it.
    uint32_t timeLimitMs = kNoTimeLimit;
    std::u16string currentDirectory;  // empty: the caller's
};

enum class ProcessEnd {
    NotStarted,  // the caller's StartFailureNotice has been told
    Exited,
    TimedOut,  // ended with TerminateProcess at the time limit
};

struct ProcessResult {
    ProcessEnd end = ProcessEnd::NotStarted;
    uint32_t exitCode = 0;  // when it exited
};

// A program started by StartProcess. It runs on when the object goes without
// a wait.
class StartedProcess {
  public:
    StartedProcess() = default;  // nothing started

    bool Started() const { return process_.valid(); }
    // Waits for the program's end, up to its time limit, and ends it there.
    // While it waits, the thread paints its windows and answers the messages
    // sent to them, so a window on the screen stays drawn and responsive;
    // keyboard and mouse input that comes meanwhile is thrown away (a window
    // shown as busy takes none, and nothing typed may act on the windows that
    // follow); posted messages stay queued. NotStarted when nothing was
    // started or the program was waited for already.
    ProcessResult Wait();

  private:
    friend StartedProcess StartProcess(const std::u16string&, const std::u16string&,
                                       const ProcessStart&, StartFailureNotice&);

    UniqueKernelHandle process_;
    DWORD startTick_ = 0;
    uint32_t timeLimitMs_ = kNoTimeLimit;
};

// Starts the program file at the full path program with commandLine, which
// names it as it likes: the system searches no folder for it, so no other
// folder's file of that name ever runs. When it cannot be started, tells
// failure the command line and the system's error and returns an object that
// started nothing.
StartedProcess StartProcess(const std::u16string& program, const std::u16string& commandLine,
                            const ProcessStart& start, StartFailureNotice& failure);

// The text of the warning box: the command line and the system error code.
std::u16string StartFailureText(const std::u16string& commandLine, uint32_t error);
