#include "systest/engine/process.h"

#include "common/format.h"
#include "common/win/handles.h"
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

// Paints the thread's windows; PeekMessageW also delivers the messages that
// other threads send to them.
void PaintAndAnswer() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) {
        DispatchMessageW(&message);
    }
}

// True when the process ended within the time limit.
bool WaitAnsweringMessages(HANDLE process, DWORD timeLimitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD remaining = INFINITE;
        if (timeLimitMs != INFINITE) {
            const DWORD elapsed = GetTickCount() - start;  // right across the counter's wrap
            if (elapsed >= timeLimitMs) {
                return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            }
            remaining = timeLimitMs - elapsed;
        }
        const DWORD woken = MsgWaitForMultipleObjects(
            1, &process, FALSE, std::min(remaining, kMessageCheckMs), QS_SENDMESSAGE | QS_PAINT);
        if (woken == WAIT_OBJECT_0) {
            return true;
        }
        if (woken == WAIT_FAILED) {
            return WaitForSingleObject(process, remaining) == WAIT_OBJECT_0;
        }
        PaintAndAnswer();
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

ProcessResult RunProcess(const std::u16string& program, const std::u16string& commandLine,
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
    if (!CreateProcessW(WideCStr(program), buffer.data(), nullptr, nullptr, FALSE,
                        start.newConsole ? CREATE_NEW_CONSOLE : CREATE_NO_WINDOW, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started)) {
        failure.Show(StartFailureText(commandLine, GetLastError()));
        return {};
    }
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    if (!start.wait) {
        return {ProcessEnd::Started, 0};
    }
    if (!WaitAnsweringMessages(process.get(), start.timeLimitMs)) {
        TerminateProcess(process.get(), kTimedOutExitCode);
        WaitForSingleObject(process.get(), kTerminationWaitMs);
        return {ProcessEnd::TimedOut, 0};
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    return {ProcessEnd::Exited, exitCode};
}
