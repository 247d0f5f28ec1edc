// How long a user waits from Next on the agreement page to the results,
// against what Vexmira.exe alone takes on the same machine: the checks can be
// no faster than their slowest part (docs/performance.md). Runs the two in
// turn in one session, after one run of each to warm up, and prints each
// pair, the medians and their ratio. A benchmark, not a test: machines vary
// too much for a limit.
//
//   quarvelsystest_accept_benchmark [PAIRS [FOLDER]]
//
// PAIRS defaults to 5; the shipped files come from FOLDER (another build's,
// to compare two) or else from beside the benchmark.
#include "systest/ui/tests/e2e/app_driver.h"
#include "systest/ui/tests/e2e/bundle_folder.h"

#include "common/win/wide.h"
#include "systest/resources/resource.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

constexpr int kDefaultPairs = 5;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now;
}

// Vexmira.exe of the folder, started as QuarvelSysTest starts it (its bare
// name as the command line, a hidden console of its own, in its folder),
// from its start to its end; a negative time when it did not run.
double VexmiraAlone(const std::wstring& folder) {
    std::wstring commandLine = L"Vexmira.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    const LARGE_INTEGER start = Now();
    if (!CreateProcessW((folder + commandLine).c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE, nullptr, folder.c_str(), &startup, &started)) {
        return -1;
    }
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);
    if (WaitForSingleObject(process.get(), kDefaultTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        return -1;
    }
    return Seconds(start, Now());
}

// The top-level window of the process with the summary, the main dialog,
// shown or not yet; null when there is none. (The results list has the id of
// the agreement text.)
HWND MainDialogOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(context);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == wanted->processId && GetDlgItem(window, IDC_SUMMARY_TEXT) != nullptr) {
                wanted->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// When the main dialog shows: it is created hidden while the checks run, and
// looked at every millisecond until it is visible, which costs the program
// nothing that shows. False when it did not show in time.
bool WaitForMainDialog(DWORD processId, LARGE_INTEGER& when) {
    const DWORD start = GetTickCount();
    HWND main = nullptr;
    while (GetTickCount() - start < kDefaultTimeoutMs) {
        if (main == nullptr) {
            main = MainDialogOf(processId);
        }
        if (main != nullptr && IsWindowVisible(main)) {
            when = Now();
            return true;
        }
        Sleep(1);
    }
    return false;
}

// Next on the agreement page to the main dialog shown; the program is closed
// with OK afterwards. A negative time when a step failed.
double AcceptToResults(const BundleFolder& bundle) {
    AppDriver app;
    if (!app.Start(bundle.Program(), L"", bundle.Path())) {
        return -1;
    }
    const HWND page = app.WaitForWindowWithItem(IDC_AGREEMENT_TEXT, kWindowTimeoutMs);
    if (page == nullptr) {
        return -1;
    }
    ClickButton(page, IDC_ACCEPT_BOX);
    const LARGE_INTEGER accepted = Now();
    ClickButton(page, IDOK);
    LARGE_INTEGER shown{};
    if (!WaitForMainDialog(app.ProcessId(), shown)) {
        return -1;
    }
    const double seconds = Seconds(accepted, shown);
    const HWND main = app.WaitForWindowWithItem(IDC_SUMMARY_TEXT, kWindowTimeoutMs);
    if (main != nullptr) {
        ClickButton(main, IDOK);
    }
    DWORD exitCode = 0;
    app.WaitForExit(kExitTimeoutMs, exitCode);
    return seconds;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int pairs =
        argc > 1 ? std::max(1, static_cast<int>(std::wcstol(argv[1], nullptr, 10))) : kDefaultPairs;
    std::u16string source = argc > 2 ? FromWide(argv[2]) : ProgramFolder();
    if (!source.ends_with(u'\\')) {
        source += u'\\';
    }
    const BundleFolder bundle({}, source);
    // The first run of each loads what later runs find in the caches.
    if (VexmiraAlone(bundle.Path()) < 0) {
        std::fprintf(stderr, "Vexmira.exe did not run\n");
        return 1;
    }
    if (AcceptToResults(bundle) < 0) {
        std::fprintf(stderr, "QuarvelSysTest.exe did not show its results\n");
        return 1;
    }
    std::vector<double> accepts;
    std::vector<double> alone;
    for (int pair = 1; pair <= pairs; ++pair) {
        const double accept = AcceptToResults(bundle);
        const double vexmira = VexmiraAlone(bundle.Path());
        if (accept < 0 || vexmira < 0) {
            std::fprintf(stderr, "pair %d: %s\n", pair,
                         accept < 0 ? "QuarvelSysTest.exe did not show its results"
                                    : "Vexmira.exe did not run");
            return 1;
        }
        accepts.push_back(accept);
        alone.push_back(vexmira);
        std::printf("pair %d: accept to results %.3f s, Vexmira.exe alone %.3f s, ratio %.2f\n",
                    pair, accept, vexmira, accept / vexmira);
        std::fflush(stdout);
    }
    const double accept = Median(accepts);
    const double vexmira = Median(alone);
    std::printf("median of %d: accept to results %.3f s, Vexmira.exe alone %.3f s, ratio %.2f\n",
                pairs, accept, vexmira, accept / vexmira);
    return 0;
}
