// The launcher when "Vexmira.exe" is missing: a warning box, exit code -1,
// a warning row of its own and no card row, but the memory row still follows. Runs in a Wine
// session of its own with an adapter that WMI and the display device agree on
// (agreeing_wine_adapter.h), from a folder without the diagnostic.
#include "adapters/tests/recorded_output.h"
#include "adapters/tests/wine/agreeing_wine_adapter.h"
#include "common/tests/wine/message_box_closer.h"
#include "common/win/com.h"
#include "common/win/program_folder.h"
#include "systest/engine/diagnostic_platform.h"
#include "systest/engine/process.h"
#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

namespace {

const testing::Environment* const kAgreeingAdapter =
    testing::AddGlobalTestEnvironment(new agreeing::AgreeingAdapterSetup);

using Box = MessageBoxCloser::Box;
const Box kWarning{u"lsystem", u"error while starting: Vexmira.exe\nError: 2"};

TEST(MissingDiagnostic, RunProcessShowsTheWarning) {
    MessageBoxCloser closer;
    StartFailureBox box;
    ProcessStart start;
    start.newConsole = true;
    EXPECT_EQ(StartProcess(ProgramFolder() + u"Vexmira.exe", u"Vexmira.exe", start, box).Wait().end,
              ProcessEnd::NotStarted);
    EXPECT_EQ(closer.Boxes(), std::vector<Box>{kWarning});
}

TEST(MissingDiagnostic, AdapterRowsStillFollow) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    MemoryStrings strings;
    Win32DiagnosticPlatform platform(kDiagnosticTimeLimitMs);
    SilentVideo silent;
    DiagnosticLauncher launcher(platform, strings, silent);
    MessageBoxCloser closer;

    const GraphicsFindings found = launcher.RunDiagnostic();
    EXPECT_EQ(found.diagnosticRow.level, CheckLevel::Warning) << "the graphics card went unchecked";
    EXPECT_EQ(found.diagnosticRow.displayText, u"Graphics test not started");
    EXPECT_EQ(closer.Boxes(), std::vector<Box>{kWarning});
    EXPECT_EQ(found.diagnostic.exitCode, kDiagnosticNotStarted);

    ASSERT_TRUE(found.adapterRows);
    const AdapterRows& rows = *found.adapterRows;
    EXPECT_EQ(rows.memory.level, CheckLevel::Passed);
    EXPECT_EQ(rows.memory.displayText, u"NVIDIA GeForce 9500 GT: at least 256 MB");
    EXPECT_EQ(rows.card.level, CheckLevel::NoResult);
    EXPECT_EQ(rows.driver.level, CheckLevel::NoResult);
    EXPECT_EQ(rows.adaptersDiffer.level, CheckLevel::NoResult);
}

// An unattended run shows no box: the warning and the diagnostic's values go
// where it says.
TEST(MissingDiagnostic, ChecksWithNoticesOfTheirOwnShowNoBox) {
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    MemoryStrings strings;
    RecordedVideo verbose;
    struct : StartFailureNotice {
        std::vector<std::u16string> texts;
        void Show(const std::u16string& text) override { texts.push_back(text); }
    } startFailure;
    Win32DiagnosticPlatform platform(startFailure, kDiagnosticTimeLimitMs);
    DiagnosticLauncher launcher(platform, strings, verbose);
    MessageBoxCloser closer;

    const GraphicsFindings found = launcher.RunDiagnostic();
    EXPECT_TRUE(found.adapterRows);
    EXPECT_EQ(found.diagnostic.exitCode, kDiagnosticNotStarted);
    EXPECT_EQ(closer.Boxes(), std::vector<Box>{});
    EXPECT_EQ(startFailure.texts, std::vector<std::u16string>{kWarning.second});
    ASSERT_FALSE(verbose.boxes.empty());
    EXPECT_EQ(verbose.boxes[0].second, u"Return value: -1");
}

}  // namespace
