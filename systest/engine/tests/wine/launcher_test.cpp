// The launcher on the real system, against a stand-in for the diagnostic
// program built as "Vexmira.exe" beside this test, and stock Wine's adapters:
// no WMI adapter drives Wine's display, so the query finds no primary adapter.
#include "adapters/win/message_box_video.h"
#include "common/tests/wine/message_box_closer.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/com.h"
#include "common/win/wide.h"
#include "systest/engine/process.h"
#include "systest/engine/system_graphics_checks.h"
#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::u16string kDiagnostic = u"Vexmira.exe";

void SetStandInExitCode(int32_t code) {
    SetEnvironmentVariableW(L"QST_STAND_IN_EXIT_CODE", std::to_wstring(code).c_str());
}

TEST(RunProcess, ReturnsTheExitCode) {
    StartFailureBox box;
    // As the launcher starts the diagnostic: a new console, hidden.
    for (int32_t code : {0, 1, 2, 3, 4, 259, -5}) {
        SCOPED_TRACE(code);
        SetStandInExitCode(code);
        EXPECT_EQ(RunProcess(true, kDiagnostic, false, true, box), code);
    }
    SetStandInExitCode(2);
    EXPECT_EQ(RunProcess(false, kDiagnostic, false, true, box), 2);  // no console
    EXPECT_EQ(RunProcess(true, kDiagnostic, true, true, box), 2);    // a visible console
}

TEST(RunProcess, WithoutWaitingReturnsZero) {
    StartFailureBox box;
    SetStandInExitCode(3);
    EXPECT_EQ(RunProcess(true, kDiagnostic, false, false, box), 0);
}

TEST(RunProcess, ProgramFolderFirstAndOurCurrentDirectory) {
    const TempFolder folder(u"qst_launcher");
    ASSERT_NE(GetFileAttributesW(WideCStr(folder.Path())), INVALID_FILE_ATTRIBUTES);
    wchar_t ours[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, ours);
    SetCurrentDirectoryW(WideCStr(folder.Path()));
    SetEnvironmentVariableW(L"QST_STAND_IN_MARKER", L"stand_in_ran.txt");
    SetStandInExitCode(2);
    StartFailureBox box;

    // Found beside this program, although the current directory holds none.
    EXPECT_EQ(RunProcess(true, kDiagnostic, false, true, box), 2);

    SetEnvironmentVariableW(L"QST_STAND_IN_MARKER", nullptr);
    SetCurrentDirectoryW(ours);
    EXPECT_NE(GetFileAttributesW(WideCStr(folder.File(u"stand_in_ran.txt"))),
              INVALID_FILE_ATTRIBUTES);
}

TEST(RunProcess, FailureShowsTheWarningBox) {
    MessageBoxCloser closer;
    StartFailureBox box;
    EXPECT_EQ(RunProcess(true, u"NoSuchDiagnostic.exe", false, true, box), -1);
    using Box = MessageBoxCloser::Box;
    EXPECT_EQ(
        closer.Boxes(),
        (std::vector<Box>{{u"lsystem", u"error while starting: NoSuchDiagnostic.exe\nError: 2"}}));
}

struct Rows {
    bool gate = false;
    CheckResult memory;
    CheckResult card;
    CheckResult driver;
    CheckResult differ;
};

Rows RunGraphicsChecks(GraphicsChecks& checks) {
    Rows rows;
    rows.gate = checks.RunDiagnostic();
    rows.memory = checks.EvaluateAdapterMemory();
    checks.EvaluateCardList(rows.card, rows.driver);
    rows.differ = checks.EvaluateAdaptersDiffer();
    return rows;
}

TEST(SystemGraphicsChecks, RowsForEachExitCode) {
    // QuarvelSysTest's user interface thread runs in a single-threaded apartment.
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    MemoryStrings strings;
    // Stock Wine: no primary adapter, so an empty caption and no memory.
    const struct {
        int32_t exitCode;
        CheckLevel card;
        std::u16string text;
    } cases[] = {
        {0, CheckLevel::Warning, u" is not supported"},
        {1, CheckLevel::Warning, u" is not supported"},
        {2, CheckLevel::Warning, u" is not supported"},
        {3, CheckLevel::PassedWithMargin, u"Card supported"},
        {4, CheckLevel::PassedWithMargin, u"Card supported (switchable)"},
        {5, CheckLevel::NoResult, u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.exitCode);
        SetStandInExitCode(c.exitCode);
        SystemGraphicsChecks checks(strings);
        const Rows rows = RunGraphicsChecks(checks);
        EXPECT_TRUE(rows.gate);
        EXPECT_EQ(checks.DiagnosticExitCode(), c.exitCode);
        EXPECT_EQ(rows.card.level, c.card);
        EXPECT_EQ(rows.card.displayText, c.text);
        EXPECT_EQ(rows.driver.level, CheckLevel::NoResult);
        EXPECT_EQ(rows.memory.level, CheckLevel::NoResult);
        EXPECT_EQ(rows.differ.level, CheckLevel::NoResult);
    }
}

TEST(SystemGraphicsChecks, VerboseVideoShowsRealMessageBoxes) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    SetStandInExitCode(3);
    MemoryStrings strings;
    Win32DiagnosticPlatform platform;
    MessageBoxVideo boxes;
    DiagnosticLauncher launcher(platform, strings, boxes);
    MessageBoxCloser closer;
    EXPECT_TRUE(launcher.RunDiagnostic());
    using Box = MessageBoxCloser::Box;
    EXPECT_EQ(closer.Boxes(), (std::vector<Box>{{u"VexMira.exe", u"Return value: 3"},
                                                {u"Version", u"Version: 0.0.0.0"}}));
}

}  // namespace
