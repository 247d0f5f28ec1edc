#include "systest/engine/process.h"

#include "common/format.h"
#include "common/win/queued_input.h"
#include "common/win/wide.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

constexpr wchar_t kStartFailureCaption[] = L"lsystem";
// The exit code of a program ended at its time limit.
constexpr UINT kTimedOutExitCode = WAIT_TIMEOUT;
// How long an ended program may take to go; a program stuck in a driver may
// take long, and the caller goes on without it.
constexpr DWORD kTerminationWaitMs = 5000;
// Windows takes a window whose thread has not looked at its messages for five
// seconds as hung and replaces it with a ghost: the wait looks this often.
constexpr DWORD kMessageCheckMs = 250;

// Paints the thread's windows and throws away the input that came; PeekMessageW
// also delivers the messages that other threads send to them.
void PaintAndDiscardInput() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
        DispatchMessageW(&message);
    }
    DiscardQueuedInput();
}

// True when the process ended before the time limit, counted from startTick.
// Wakes for sent messages, paint and input (QS_INPUT of a newer SDK holds
// bits that Windows before 8 refuses).
bool WaitAnsweringMessages(HANDLE process, DWORD startTick, DWORD timeLimitMs) {
    constexpr DWORD kWakeFor = QS_SENDMESSAGE | QS_PAINT | QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON;
    for (;;) {
        DWORD remaining = INFINITE;
        if (timeLimitMs != INFINITE) {
            const DWORD elapsed = GetTickCount() - startTick;  // right across the counter's wrap
            if (elapsed >= timeLimitMs) {
                return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            }
            remaining = timeLimitMs - elapsed;
        }
        const DWORD woken = MsgWaitForMultipleObjects(
            1, &process, FALSE, std::min(remaining, kMessageCheckMs), kWakeFor);
        if (woken == WAIT_OBJECT_0) {
            return true;
        }
        if (woken == WAIT_FAILED) {
            return WaitForSingleObject(process, remaining) == WAIT_OBJECT_0;
        }
        PaintAndDiscardInput();
    }
}

}  // namespace

std::u16string StartFailureText(const std::u16string& commandLine, uint32_t error) {
    return FormatString(u"error while starting: %s\nError: %d", {commandLine, error});
}

void StartFailureBox::Show(const std::u16string& text) {
    MessageBoxW(nullptr, WideCStr(text), kStartFailureCaption,
                MB_ICONWARNING | MB_TASKMODAL | MB_SETFOREGROUND);
}

StartedProcess StartProcess(const std::u16string& program, const std::u16string& commandLine,
                            const ProcessStart& start, StartFailureNotice& failure) {
    // CreateProcessW may write into the command line it is given.
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!(start.newConsole && start.visible)) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_HIDE;
    }
    const std::wstring directory = ToWide(start.currentDirectory);
    PROCESS_INFORMATION started{};
    StartedProcess result;
    if (!CreateProcessW(WideCStr(program), buffer.data(), nullptr, nullptr, FALSE,
                        start.newConsole ? CREATE_NEW_CONSOLE : CREATE_NO_WINDOW, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started)) {
        failure.Show(StartFailureText(commandLine, GetLastError()));
        return result;
    }
    const UniqueKernelHandle thread(started.hThread);
    result.startTick_ = GetTickCount();
    result.process_.reset(started.hProcess);
    result.timeLimitMs_ = start.timeLimitMs;
    return result;
}

ProcessResult StartedProcess::Wait() {
    const UniqueKernelHandle process(process_.release());
    if (!process) {
        return {};
    }
    if (!WaitAnsweringMessages(process.get(), startTick_, timeLimitMs_)) {
        TerminateProcess(process.get(), kTimedOutExitCode);
        WaitForSingleObject(process.get(), kTerminationWaitMs);
        return {ProcessEnd::TimedOut, 0};
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return {ProcessEnd::Exited, exitCode};
}
