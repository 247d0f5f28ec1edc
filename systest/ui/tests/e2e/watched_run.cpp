#include "systest/ui/tests/e2e/watched_run.h"

#include "common/tests/wine/job.h"
#include "common/win/handles.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kPollMs = 10;
constexpr UINT kTerminatedExitCode = 255;
constexpr wchar_t kDialogClass[] = L"#32770";

// The run that the hook of this thread reports to.
thread_local WatchedRun* tWatched = nullptr;

void CALLBACK OnWindowCreated(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                              DWORD) {
    if (tWatched == nullptr || object != OBJID_WINDOW || child != CHILDID_SELF) {
        return;
    }
    ++tWatched->windowsCreated;
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == kDialogClass) {
        ++tWatched->dialogsCreated;
    }
}

struct VisibleWindows {
    DWORD processId;
    int count;
};

BOOL CALLBACK CountVisible(HWND window, LPARAM context) {
    auto* visible = reinterpret_cast<VisibleWindows*>(context);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == visible->processId && IsWindowVisible(window)) {
        ++visible->count;
    }
    return TRUE;
}

// Out-of-context events arrive as messages of this thread.
void DeliverEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

struct EventHookTraits {
    using Handle = HWINEVENTHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle hook) { UnhookWinEvent(hook); }
};
using UniqueEventHook = UniqueHandle<EventHookTraits>;

}  // namespace

WatchedRun RunWatched(const std::wstring& program, const std::wstring& arguments,
                      const std::wstring& folder, HANDLE output, DWORD timeoutMs) {
    WatchedRun run;
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (output != nullptr) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    // In a job, so it and the programs it starts end with the run; suspended
    // until the hook is in place, so no window comes before it.
    const UniqueKernelHandle job = CreateKillOnCloseJob();
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    if (!job.valid() || !StartSuspendedInJob(job.get(), program, commandLine, output != nullptr, 0,
                                             folder.c_str(), startup, process, thread, processId)) {
        ADD_FAILURE() << "cannot start the program: error " << GetLastError();
        return run;
    }

    tWatched = &run;
    const UniqueEventHook hook(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                               OnWindowCreated, processId, 0,
                                               WINEVENT_OUTOFCONTEXT));
    EXPECT_TRUE(hook.valid()) << "no WinEvent hook: error " << GetLastError();
    ResumeThread(thread.get());

    const DWORD start = GetTickCount();
    HANDLE processHandle = process.get();
    while (run.dialogsCreated == 0 && run.visibleWindowsSeen == 0 &&
           GetTickCount() - start < timeoutMs) {
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &processHandle, FALSE, kPollMs, QS_ALLINPUT);
        DeliverEvents();
        VisibleWindows visible{processId, 0};
        EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&visible));
        run.visibleWindowsSeen += visible.count;
        if (woken == WAIT_OBJECT_0) {
            run.ended = run.dialogsCreated == 0 && run.visibleWindowsSeen == 0;
            break;
        }
    }
    if (run.ended) {
        GetExitCodeProcess(process.get(), &run.exitCode);
    } else {
        TerminateJobObject(job.get(), kTerminatedExitCode);
        WaitForSingleObject(process.get(), kExitTimeoutMs);
    }
    DeliverEvents();
    tWatched = nullptr;
    return run;
}
