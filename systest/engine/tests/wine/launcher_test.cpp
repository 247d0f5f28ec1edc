// The launcher on the real system, against a stand-in for the diagnostic
// program built as "Vexmira.exe" beside this test, which exits with a chosen
// code, hangs or crashes, and stock Wine's adapters: no WMI adapter drives
// Wine's display, so the query finds no primary adapter.
#include "adapters/win/message_box_video.h"
#include "common/tests/wine/environment_variable.h"
#include "common/tests/wine/message_box_closer.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/com.h"
#include "common/win/handles.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "systest/engine/diagnostic_platform.h"
#include "systest/engine/process.h"
#include "systest/engine/tests/memory_strings.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

namespace {

const std::u16string kDiagnostic = u"Vexmira.exe";
constexpr uint32_t kShortLimitMs = 1000;

void SetStandInExitCode(int32_t code) {
    SetEnvironmentVariableW(L"QST_STAND_IN_EXIT_CODE", std::to_wstring(code).c_str());
}

// The program of that name beside this test, named so on its command line,
// started and waited for, with the warning box of a failed start.
ProcessResult StartProgram(const std::u16string& name, const ProcessStart& start) {
    StartFailureBox box;
    return StartProcess(ProgramFolder() + name, name, start, box).Wait();
}

// As the launcher starts the diagnostic: a new console, hidden.
ProcessStart DiagnosticStart() {
    ProcessStart start;
    start.newConsole = true;
    return start;
}

TEST(RunProcess, ReturnsTheExitCode) {
    for (int32_t code : {0, 1, 2, 3, 4, 259, -5}) {
        SCOPED_TRACE(code);
        SetStandInExitCode(code);
        const ProcessResult result = StartProgram(kDiagnostic, DiagnosticStart());
        EXPECT_EQ(result.end, ProcessEnd::Exited);
        EXPECT_EQ(result.exitCode, static_cast<uint32_t>(code));
    }
    SetStandInExitCode(2);
    ProcessStart noConsole;
    EXPECT_EQ(StartProgram(kDiagnostic, noConsole).exitCode, 2u);
    ProcessStart visible = DiagnosticStart();
    visible.visible = true;
    EXPECT_EQ(StartProgram(kDiagnostic, visible).exitCode, 2u);
}

// How many stand-ins this test started still run; ends them, so that none
// outlives the test. An ended process keeps its entry, without threads, while
// a handle to it is open.
int EndRunningStandIns() {
    const UniqueFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    EXPECT_TRUE(snapshot);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    int running = 0;
    for (BOOL found = Process32FirstW(snapshot.get(), &entry); found;
         found = Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == GetCurrentProcessId() && entry.cntThreads > 0 &&
            _wcsicmp(entry.szExeFile, L"Vexmira.exe") == 0) {
            ++running;
            const UniqueKernelHandle process(
                OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
            TerminateProcess(process.get(), 1);
        }
    }
    return running;
}

TEST(RunProcess, EndsAProgramThatRunsPastItsTimeLimit) {
    const EnvironmentVariable hang(L"QST_STAND_IN_HANG", u"1");
    ProcessStart start = DiagnosticStart();
    start.timeLimitMs = kShortLimitMs;
    const DWORD before = GetTickCount();
    EXPECT_EQ(StartProgram(kDiagnostic, start).end, ProcessEnd::TimedOut);
    const DWORD waited = GetTickCount() - before;
    EXPECT_GE(waited, kShortLimitMs);
    EXPECT_LT(waited, 10 * kShortLimitMs);
    EXPECT_EQ(EndRunningStandIns(), 0);
}

// The time limit counts from the start: what the caller did before its wait
// is part of it.
TEST(RunProcess, TheTimeLimitCountsFromTheStart) {
    const EnvironmentVariable hang(L"QST_STAND_IN_HANG", u"1");
    ProcessStart start = DiagnosticStart();
    start.timeLimitMs = kShortLimitMs;
    StartFailureBox box;
    StartedProcess hangs = StartProcess(ProgramFolder() + kDiagnostic, kDiagnostic, start, box);
    ASSERT_TRUE(hangs.Started());
    Sleep(kShortLimitMs);
    const DWORD before = GetTickCount();
    EXPECT_EQ(hangs.Wait().end, ProcessEnd::TimedOut);
    EXPECT_LT(GetTickCount() - before, kShortLimitMs);
    EXPECT_EQ(EndRunningStandIns(), 0);
}

TEST(RunProcess, ACrashIsAnExitCode) {
    const EnvironmentVariable crash(L"QST_STAND_IN_CRASH", u"1");
    const ProcessResult result = StartProgram(kDiagnostic, DiagnosticStart());
    EXPECT_EQ(result.end, ProcessEnd::Exited);
    // Windows gives the exception code 0xC0000005; Wine, with its debugger
    // off in the tests, only the code's low byte.
    EXPECT_TRUE(result.exitCode == 0xC0000005u || result.exitCode == 5u) << result.exitCode;
}

// A window of the waiting thread: counts its paints and answers a message.
class WaitingWindow {
  public:
    static constexpr UINT kPing = WM_APP + 1;

    WaitingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"QstWaitingWindow";
        RegisterClassW(&windowClass);
        window_.reset(CreateWindowExW(0, L"QstWaitingWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0, 100,
                                      100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
        paints_ = 0;
    }
    HWND get() const { return window_.get(); }
    int Paints() const { return paints_; }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PAINT) {
            ++paints_;
        } else if (message == kPing) {
            return 42;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    UniqueWindow window_;
    static inline int paints_ = 0;
};

// Input that comes during the wait is gone afterwards, posted messages stay.
TEST(RunProcess, PaintsAndAnswersWhileItWaitsAndDropsInput) {
    WaitingWindow window;
    ASSERT_NE(window.get(), nullptr);
    // Drawn once and then covered again, with no message loop to paint it.
    UpdateWindow(window.get());
    InvalidateRect(window.get(), nullptr, TRUE);
    const int paintsBefore = window.Paints();
    for (const UINT input : {WM_KEYDOWN, WM_CHAR, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_LBUTTONUP,
                             WM_RBUTTONUP, WM_NCLBUTTONDOWN}) {
        PostMessageW(window.get(), input, VK_RETURN, 0);
    }
    PostMessageW(window.get(), WM_APP, 0, 0);
    DWORD_PTR answer = 0;
    std::thread other([&] {
        SendMessageTimeoutW(window.get(), WaitingWindow::kPing, 0, 0, SMTO_BLOCK, 2 * kShortLimitMs,
                            &answer);
    });

    const EnvironmentVariable hang(L"QST_STAND_IN_HANG", u"1");
    ProcessStart start = DiagnosticStart();
    start.timeLimitMs = 2 * kShortLimitMs;
    EXPECT_EQ(StartProgram(kDiagnostic, start).end, ProcessEnd::TimedOut);
    other.join();
    EXPECT_GT(window.Paints(), paintsBefore);
    EXPECT_EQ(answer, 42u);
    MSG left{};
    ASSERT_TRUE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(left.message, static_cast<UINT>(WM_APP));
    EXPECT_FALSE(PeekMessageW(&left, nullptr, 0, 0, PM_REMOVE)) << left.message;
}

TEST(RunProcess, RunsInTheGivenFolderOrInOurs) {
    const TempFolder ours(u"qst_launcher_ours");
    const TempFolder given(u"qst_launcher_given");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(WideCStr(ours.Path()));
    const EnvironmentVariable marker(L"QST_STAND_IN_MARKER", u"stand_in_ran.txt");
    SetStandInExitCode(2);

    // The program of its path, beside this test, although neither folder holds one.
    EXPECT_EQ(StartProgram(kDiagnostic, DiagnosticStart()).exitCode, 2u);
    ProcessStart inGiven = DiagnosticStart();
    inGiven.currentDirectory = given.Path();
    EXPECT_EQ(StartProgram(kDiagnostic, inGiven).exitCode, 2u);

    SetCurrentDirectoryW(previous);
    EXPECT_EQ(FilesIn(ours.Path(), u"stand_in_ran.txt").size(), 1u);
    EXPECT_EQ(FilesIn(given.Path(), u"stand_in_ran.txt").size(), 1u);
}

// A program missing at its path does not start, even where the current
// folder holds a file of its name (as a download folder may).
TEST(RunProcess, FailureShowsTheWarningBox) {
    const TempFolder current(u"qst_launcher_current");
    ASSERT_TRUE(CopyFileW(WideCStr(ProgramFolder() + kDiagnostic),
                          WideCStr(current.File(u"NoSuchDiagnostic.exe")), FALSE));
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(WideCStr(current.Path()));
    const EnvironmentVariable marker(L"QST_STAND_IN_MARKER", u"stand_in_ran.txt");
    MessageBoxCloser closer;
    EXPECT_EQ(StartProgram(u"NoSuchDiagnostic.exe", DiagnosticStart()).end, ProcessEnd::NotStarted);
    SetCurrentDirectoryW(previous);
    using Box = MessageBoxCloser::Box;
    EXPECT_EQ(
        closer.Boxes(),
        (std::vector<Box>{{u"lsystem", u"error while starting: NoSuchDiagnostic.exe\nError: 2"}}));
    EXPECT_TRUE(FilesIn(current.Path(), u"stand_in_ran.txt").empty());
}

// The launcher as the main dialog has it, without "-verbosevideo".
GraphicsFindings RunGraphicsChecks(const StringSource& strings) {
    Win32DiagnosticPlatform platform(kShortLimitMs);
    SilentVideo silent;
    DiagnosticLauncher launcher(platform, strings, silent);
    return launcher.RunDiagnostic();
}

TEST(DiagnosticLauncher, RowsForEachEnd) {
    // QuarvelSysTest's user interface thread runs in a single-threaded apartment.
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    MemoryStrings strings;
    // Stock Wine: no primary adapter, so no caption (the texts without a name)
    // and no memory.
    const struct {
        const char* what;
        const wchar_t* setting;  // of the stand-in
        int32_t exitCode;
        CheckLevel card;
        std::u16string text;
        bool unfinished;
    } cases[] = {
        {"0", nullptr, 0, CheckLevel::Warning, u"The card is not supported", false},
        {"1", nullptr, 1, CheckLevel::Warning, u"Not tested: remote session", false},
        {"2", nullptr, 2, CheckLevel::Warning, u"The card is not supported", false},
        {"3", nullptr, 3, CheckLevel::Passed, u"The card passes, not certified", false},
        {"4", nullptr, 4, CheckLevel::PassedWithMargin, u"Card supported (switchable)", false},
        {"5, no verdict", nullptr, 5, CheckLevel::Warning, u"The card is not supported", true},
        {"a hang", L"QST_STAND_IN_HANG", 3, CheckLevel::Warning, u"The card is not supported",
         true},
        {"a crash", L"QST_STAND_IN_CRASH", 3, CheckLevel::Warning, u"The card is not supported",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetStandInExitCode(c.exitCode);
        std::optional<EnvironmentVariable> setting;
        if (c.setting != nullptr) {
            setting.emplace(c.setting, u"1");
        }
        const GraphicsFindings found = RunGraphicsChecks(strings);
        EXPECT_EQ(found.diagnosticRow.level,
                  c.unfinished ? CheckLevel::Warning : CheckLevel::NoResult);
        EXPECT_EQ(found.diagnostic.exitCode, c.unfinished ? kDiagnosticNotSupported : c.exitCode);
        ASSERT_TRUE(found.adapterRows);
        const AdapterRows& rows = *found.adapterRows;
        EXPECT_EQ(rows.card.level, c.card);
        EXPECT_EQ(rows.card.displayText, c.text);
        EXPECT_EQ(rows.driver.level, CheckLevel::NoResult);
        EXPECT_EQ(rows.memory.level, CheckLevel::NoResult);
        EXPECT_EQ(rows.adaptersDiffer.level, CheckLevel::NoResult);
    }
}

TEST(DiagnosticLauncher, DiagnosticRunsInTheProgramFolder) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    const TempFolder elsewhere(u"qst_launcher_elsewhere");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(WideCStr(elsewhere.Path()));
    const std::u16string marker =
        u"stand_in_ran_" + FromWide(std::to_wstring(GetCurrentProcessId())) + u".txt";
    const EnvironmentVariable markerSetting(L"QST_STAND_IN_MARKER", marker);
    SetStandInExitCode(3);
    RunGraphicsChecks(MemoryStrings());
    SetCurrentDirectoryW(previous);

    EXPECT_TRUE(FilesIn(elsewhere.Path(), u"stand_in_ran_*").empty());
    const std::u16string ranHere = ProgramFolder() + marker;
    EXPECT_NE(GetFileAttributesW(WideCStr(ranHere)), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(WideCStr(ranHere));
}

TEST(DiagnosticLauncher, VerboseVideoShowsRealMessageBoxes) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    SetStandInExitCode(3);
    MemoryStrings strings;
    Win32DiagnosticPlatform platform(kShortLimitMs);
    MessageBoxVideo boxes;
    DiagnosticLauncher launcher(platform, strings, boxes);
    MessageBoxCloser closer;
    EXPECT_TRUE(launcher.RunDiagnostic().adapterRows);
    using Box = MessageBoxCloser::Box;
    EXPECT_EQ(closer.Boxes(), (std::vector<Box>{{u"VexMira.exe", u"Return value: 3"},
                                                {u"Version", u"Version: 0.0.0.0"}}));
}

}  // namespace
