// The 32-bit release end to end, beside this build's 64-bit program, in a Wine
// session of its own whose adapter is made to agree with its display device,
// so that the graphics rows are there: they come from the exit code of the
// diagnostic that ships beside each program, the 32-bit one for the release.
#include "systest/ui/tests/e2e/app_driver.h"
#include "systest/ui/tests/e2e/bundle_folder.h"

#include "adapters/tests/wine/agreeing_wine_adapter.h"
#include "common/tests/wine/temp_folder.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "systest/resources/resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RunOutput {
    std::string report;
    std::string diagnosticLog;  // of the Vexmira.exe beside the program
};

// Runs the program of a new folder of the shipped files of programFolder
// (the session is English): accepts the agreement, writes the report and
// closes with OK. Returns the report and the log of the diagnostic it ran.
RunOutput OutputOfARun(const std::u16string& programFolder, DWORD timeoutMs) {
    const BundleFolder bundle({}, programFolder);
    AppDriver app;
    EXPECT_TRUE(app.Start(bundle.Program(), L"", bundle.Path()));
    const HWND page =
        app.WaitForWindow(L"Quarvel 2012 System Test \u2013 License Agreement", timeoutMs);
    if (page == nullptr) {
        ADD_FAILURE() << "no agreement page";
        return {};
    }
    ClickButton(page, IDC_ACCEPT_BOX);
    ClickButton(page, IDOK);
    const HWND main = app.WaitForWindow(L"Quarvel 2012 System Test", timeoutMs);
    if (main == nullptr) {
        ADD_FAILURE() << "no main dialog";
        return {};
    }
    // The file is written before the viewer starts, which ends with the driver.
    DeleteFileW(ReportFilePath().c_str());
    ClickButton(main, IDC_REPORT_BUTTON);
    const std::string report = ReadBytes(FromWide(ReportFilePath()));
    ClickButton(main, IDOK);
    DWORD exitCode = 0;
    EXPECT_TRUE(app.WaitForExit(timeoutMs, exitCode)) << "the program did not end";
    EXPECT_EQ(exitCode, 1u);
    const std::vector<std::u16string> logs = bundle.Files(u"vexmira_*.txt");
    EXPECT_EQ(logs.size(), 1u);
    return {report, logs.empty() ? std::string() : ReadBytes(FromWide(bundle.Path()) + logs[0])};
}

// The 32-bit diagnostic writes this build's log byte for byte too (its lines
// are checked by the diagnostic's own end-to-end tests).
TEST(X86Release, AcceptedAndClosedWithOkItReportsWhatThisBuildReports) {
    agreeing::MakeWineAdapterAgree(agreeing::kGeForce9500);
    const RunOutput run64 = OutputOfARun(ProgramFolder(), kDefaultTimeoutMs);
    const RunOutput run32 = OutputOfARun(BuildFolder(QST_X86_PROGRAM_DIR), kX86TimeoutMs);
    const std::string& report32 = run32.report;

    ASSERT_FALSE(run64.report.empty());
    EXPECT_EQ(MaskVaryingFacts(report32), MaskVaryingFacts(run64.report));
    ASSERT_FALSE(run64.diagnosticLog.empty());
    EXPECT_EQ(run32.diagnosticLog, run64.diagnosticLog);
    // The card row of exit code 3 for a card the list names with "GD": any
    // other exit code of the diagnostic, or none, gives another row or none.
    EXPECT_NE(report32.find("The graphics card is supported by Quarvel 2012 but not certified"),
              std::string::npos)
        << report32;
}

}  // namespace
