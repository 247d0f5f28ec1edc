// Runs a program in a window station that is not interactive (no WSF_VISIBLE),
// as a service or a deployment agent in session 0 runs it, with this program's
// standard handles. Under Wine a child started without a desktop named gets
// the parent's station and thread desktop (naming one fails). The exit code is
// the program's, or 255 when it could not start or did not end in time.
//
//     hidden_station_run <program> <its whole command line>
#include "common/tests/wine/job.h"
#include "common/win/handles.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr DWORD kTimeLimitMs = 90'000;
constexpr int kFailed = 255;

struct StationTraits {
    using Handle = HWINSTA;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle station) { CloseWindowStation(station); }
};
struct DesktopTraits {
    using Handle = HDESK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle desktop) { CloseDesktop(desktop); }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputs("usage: hidden_station_run <program> <command line>\n", stderr);
        return kFailed;
    }
    const UniqueHandle<StationTraits> station(
        CreateWindowStationW(L"QstNotInteractive", 0, WINSTA_ALL_ACCESS, nullptr));
    const UniqueHandle<DesktopTraits> desktop(
        station && SetProcessWindowStation(station.get())
            ? CreateDesktopW(L"Default", nullptr, nullptr, 0, GENERIC_ALL, nullptr)
            : nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const UniqueKernelHandle job = CreateKillOnCloseJob();
    UniqueKernelHandle process;
    UniqueKernelHandle thread;
    DWORD processId = 0;
    if (!desktop || !SetThreadDesktop(desktop.get()) || !job ||
        !StartSuspendedInJob(job.get(), argv[1], argv[2], true, 0, nullptr, startup, process,
                             thread, processId)) {
        std::fprintf(stderr, "cannot start it without an interactive station: error %lu\n",
                     GetLastError());
        return kFailed;
    }
    ResumeThread(thread.get());
    DWORD exitCode = kFailed;
    if (WaitForSingleObject(process.get(), kTimeLimitMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process.get(), &exitCode)) {
        std::fputs("the program did not end in time\n", stderr);
        return kFailed;
    }
    return static_cast<int>(exitCode);
}
