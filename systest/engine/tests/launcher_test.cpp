// The gate and the graphics checks 6 to 9, over a platform in memory.
#include "systest/engine/launcher.h"

#include "adapters/tests/memory_card_list.h"
#include "adapters/tests/recorded_output.h"
#include "systest/engine/card_list_check.h"
#include "systest/engine/check_sequence.h"
#include "systest/engine/report_file.h"
#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr uint32_t kMb = 1024 * 1024;

PrimaryVideoAdapter QuadroAdapter() {
    return {u"NVIDIA Quadro FX 580",
            {295, 73, 0, 0},
            512 * kMb,
            20120120,
            u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&2B5A3A7C&0&0010",
            false,
            {},
            {}};
}

class FakePlatform final : public DiagnosticPlatform {
  public:
    DiagnosticEnd end = DiagnosticEnd::Exited;
    int32_t exitCode = 3;
    int queryResult = kAdapterQueryOk;
    PrimaryVideoAdapter adapter = QuadroAdapter();
    std::optional<std::vector<std::u16string>> list;  // none: the file is missing
    std::vector<std::string> calls;

    void StartDiagnosticProgram() override { calls.push_back("start"); }
    DiagnosticRun WaitForDiagnosticProgram() override {
        calls.push_back("wait");
        return {end, exitCode, u"vexmira_PC7_2026-12-6_1405.txt"};
    }
    int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& result, VerboseVideo& verbose) override {
        calls.push_back("query");
        result = adapter;
        verbose.Show(u"Version", u"from the query");
        return queryResult;
    }
    std::unique_ptr<CardListLines> OpenCardList() override {
        calls.push_back("open");
        if (!list) {
            return nullptr;
        }
        return std::make_unique<MemoryCardListLines>(*list);
    }
};

// The diagnostic's own row and checks 6 to 9.
struct Rows : AdapterRows {
    CheckResult diagnostic;
};

// One run of the graphics checks; none when the gate stays closed.
std::optional<Rows> RunGraphicsChecks(FakePlatform& platform, RecordedVideo* boxes = nullptr) {
    MemoryStrings strings;
    RecordedVideo ownBoxes;
    DiagnosticLauncher launcher(platform, strings, boxes != nullptr ? *boxes : ownBoxes);
    const GraphicsFindings found = launcher.RunDiagnostic();
    if (!found.adapterRows) {
        return std::nullopt;
    }
    return Rows{*found.adapterRows, found.diagnosticRow};
}

void ExpectResult(const CheckResult& actual, CheckLevel level, const std::u16string& display,
                  const std::u16string& report) {
    EXPECT_EQ(actual.level, level);
    EXPECT_EQ(actual.displayText, display);
    EXPECT_EQ(actual.reportText, report);
}

void ExpectNoRow(const CheckResult& actual) {
    ExpectResult(actual, CheckLevel::NoResult, u"", u"");
}

// How the adapter's driver (295.73 of 2012-01-20) compares with the line.
enum class Line { Current, OlderVersion, OlderDate };

CardListMatch Match(std::u16string code, Line line) {
    switch (line) {
        case Line::Current:
            return {true, std::move(code), {285, 62, 0, 0}, 20111205, true, true};
        case Line::OlderVersion:
            return {true, std::move(code), {301, 42, 0, 0}, 20120320, false, false};
        case Line::OlderDate:
            return {true, std::move(code), {295, 73, 0, 0}, 20120320, true, false};
    }
    return {};
}

TEST(DecideCardList, EveryExitCodeWithTheEntryCodes) {
    const auto warning = [](std::u16string text) {
        return CheckResult{CheckLevel::Warning, text, text};
    };
    const CheckResult none;
    const CheckResult notSupported = warning(u"NVIDIA Quadro FX 580 is not supported");
    const CheckResult notCertified{CheckLevel::Passed,
                                   u"NVIDIA Quadro FX 580 passes, not certified",
                                   u"NVIDIA Quadro FX 580 passes, not certified"};
    const CheckResult certified{CheckLevel::PassedWithMargin, u"Card supported", u"Card supported"};
    const CheckResult cardOlder = warning(u"Driver 295.73 older than 301.42");
    const CheckResult driverOlder = warning(u"Driver 301.42 needed, 295.73 found");
    PrimaryVideoAdapter differ = QuadroAdapter();
    differ.adaptersDiffer = true;
    PrimaryVideoAdapter vmware{u"VMware SVGA 3D",
                               {8, 17, 10, 10},
                               768 * kMb,
                               20200202,
                               u"PCI\\VEN_15AD&DEV_0405&SUBSYS_040515AD&REV_00\\3&2B8E0B4B&0&78",
                               false,
                               {},
                               {}};
    // Entry codes as the scan remembers them (none: no entry matched); they
    // count only when written exactly.
    const struct {
        int32_t exitCode;
        std::optional<std::u16string> code;
        Line line;
        CheckResult card;
        CheckResult driver;
        PrimaryVideoAdapter adapter = QuadroAdapter();
    } cases[] = {
        // clang-format off
        {0, std::nullopt, Line::Current, notSupported, none},
        {0, u"GD", Line::Current, notSupported, none},
        {0, u"GL", Line::Current, warning(u"Not judged: screens on two adapters"), none, differ},
        {0, u"NG", Line::Current, notSupported, none, differ},
        {0, std::nullopt, Line::Current, warning(u"Virtual machine: not supported"), none, vmware},
        {1, u"GL", Line::Current, warning(u"Not tested: remote session"), none},
        {1, std::nullopt, Line::Current, warning(u"Not tested: remote session"), none, vmware},
        {2, u"GD", Line::OlderVersion, none, driverOlder},
        {2, u"GD", Line::OlderDate, none, warning(u"Driver of 2012-03-20 needed, of 2012-01-20 found")},
        {2, u"GL", Line::OlderVersion, cardOlder, none},
        {2, u"CD", Line::OlderDate, warning(u"Driver of 2012-01-20 older than of 2012-03-20"), none},
        {2, u"NG", Line::Current, notSupported, none},
        {2, u"gd", Line::Current, notSupported, none},
        {2, u"GD ; note", Line::Current, notSupported, none},
        {2, std::nullopt, Line::Current, notSupported, none},
        {3, u"GD", Line::Current, {CheckLevel::Warning, u"Check the driver", u"Check the driver for Quarvel 2012"}, none},
        {3, u"GD", Line::OlderVersion, none, driverOlder},
        {3, u"GL", Line::Current, certified, none},
        {3, u"GL", Line::OlderVersion, cardOlder, none},
        {3, u"CD", Line::Current, notCertified, none},
        {3, u"NG", Line::Current, notSupported, none},
        {3, u"gd", Line::Current, notCertified, none},
        {3, std::nullopt, Line::Current, notCertified, none},
        {3, std::nullopt, Line::Current, {CheckLevel::Passed, u"Virtual machine: passes", u"Virtual machine: passes"}, none, vmware},
        {4, u"GD", Line::Current, {CheckLevel::PassedWithMargin, u"Card supported (switchable)", u"Card supported (switchable)"}, none},
        {5, u"GD", Line::Current, none, none},
        {-1, u"GD", Line::Current, none, none},
        {259, std::nullopt, Line::Current, none, none},
        // clang-format on
    };
    MemoryStrings strings;
    for (const auto& c : cases) {
        SCOPED_TRACE("exit code " + std::to_string(c.exitCode) + ", entry code " +
                     (c.code ? testing::PrintToString(*c.code) : "none") + ", adapter " +
                     testing::PrintToString(c.adapter.caption));
        const CardListMatch match = c.code ? Match(*c.code, c.line) : CardListMatch{};
        CheckResult card{CheckLevel::Failed, u"old", u"old"};
        CheckResult driver{CheckLevel::Failed, u"old", u"old"};
        DecideCardList(c.exitCode, match, c.adapter, strings, card, driver);
        ExpectResult(card, c.card.level, c.card.displayText, c.card.reportText);
        ExpectResult(driver, c.driver.level, c.driver.displayText, c.driver.reportText);
    }
}

// A language library whose string has more, fewer or other conversions than
// its caller passes still gives a defined row: a missing text is empty, a
// missing number 0, and nothing is read that was not passed.
TEST(DecideCardList, LanguageStringsWithOtherConversionsGiveDefinedRows) {
    const struct {
        const char16_t* format;  // for IDS_DRIVER_OLDER_VERSION: list 301.42, adapter 295.73
        const char16_t* text;
    } cases[] = {
        {u"Driver %s needed, %s found", u"Driver 301.42 needed, 295.73 found"},
        {u"Driver %s needed", u"Driver 301.42 needed"},
        {u"Driver outdated", u"Driver outdated"},
        {u"Driver %s needed, %s found (%d, %s)", u"Driver 301.42 needed, 295.73 found (0, )"},
        {u"Driver %d.%d needed", u"Driver 0.0 needed"},
        {u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.format)));
        MemoryStrings strings;
        strings.Set(IDS_DRIVER_OLDER_VERSION, c.format);
        CheckResult card;
        CheckResult driver;
        DecideCardList(kDiagnosticDriverOutdated, Match(u"GD", Line::OlderVersion), QuadroAdapter(),
                       strings, card, driver);
        ExpectNoRow(card);
        ExpectResult(driver, CheckLevel::Warning, c.text, c.text);
    }
}

TEST(DiagnosticLauncher, GateFollowsTheAdapterQuery) {
    const struct {
        int queryResult;
        bool gate;
        bool unreadable;
    } cases[] = {
        {kAdapterQueryOk, true, false},        {kAdapterQueryFailed, false, false},
        {kAdapterNoDriverVersion, true, true}, {kAdapterNoMemory, false, false},
        {kAdapterNoDriverDate, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.queryResult);
        FakePlatform platform;
        platform.queryResult = c.queryResult;
        MemoryStrings strings;
        SilentVideo silent;
        DiagnosticLauncher launcher(platform, strings, silent);
        const GraphicsFindings found = launcher.RunDiagnostic();
        ASSERT_EQ(found.adapterRows.has_value(), c.gate);
        EXPECT_EQ(c.gate && found.adapterRows->memory.displayText == u"Driver version not readable",
                  c.unreadable);
        EXPECT_EQ(found.diagnostic.exitCode, 3);
        EXPECT_EQ(found.facts.diagnosticLog, u"vexmira_PC7_2026-12-6_1405.txt");
        // The query runs while the diagnostic does; the list is read for an
        // adapter whose driver version could be read.
        std::vector<std::string> calls = {"start", "query", "wait"};
        if (c.gate && !c.unreadable) {
            calls.push_back("open");
        }
        EXPECT_EQ(platform.calls, calls);
    }
}

// Started ahead while the main dialog is made, the diagnostic is waited for,
// not started again.
TEST(DiagnosticLauncher, StartedAheadRunsOnce) {
    FakePlatform platform;
    MemoryStrings strings;
    SilentVideo silent;
    DiagnosticLauncher launcher(platform, strings, silent);
    launcher.StartDiagnostic();
    launcher.RunDiagnostic();
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"start", "query", "wait", "open"}));
}

TEST(DiagnosticLauncher, UnreadableDriverVersionGivesOnlyItsWarning) {
    FakePlatform platform;
    platform.queryResult = kAdapterNoDriverVersion;
    platform.adapter.adaptersDiffer = true;
    platform.list = std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GD"};
    const auto rows = RunGraphicsChecks(platform);
    ASSERT_TRUE(rows);
    ExpectResult(rows->memory, CheckLevel::Warning, u"Driver version not readable",
                 u"Driver version not readable");
    ExpectNoRow(rows->card);
    ExpectNoRow(rows->driver);
    ExpectNoRow(rows->adaptersDiffer);
    // The list is not even opened.
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"start", "query", "wait"}));
}

TEST(DiagnosticLauncher, AdapterMemory) {
    const struct {
        uint32_t bytes;
        CheckLevel level;
        const char16_t* text;
    } cases[] = {
        {256 * kMb, CheckLevel::Passed, u"NVIDIA Quadro FX 580: at least 256 MB"},
        {0xFFF00000u, CheckLevel::Passed, u"NVIDIA Quadro FX 580: at least 256 MB"},
        {256 * kMb - 1, CheckLevel::Warning, u"NVIDIA Quadro FX 580: less than 256 MB"},
        {255 * kMb, CheckLevel::Warning, u"NVIDIA Quadro FX 580: less than 256 MB"},
        {1, CheckLevel::Warning, u"NVIDIA Quadro FX 580: less than 256 MB"},
        {0, CheckLevel::NoResult, u""},  // unknown: no row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        FakePlatform platform;
        platform.adapter.memoryBytes = c.bytes;
        const auto rows = RunGraphicsChecks(platform);
        ASSERT_TRUE(rows);
        ExpectResult(rows->memory, c.level, c.text, c.text);
    }
}

// A driver that names no adapter: its rows take the texts without a name,
// never one with a hole where the name would stand.
TEST(DiagnosticLauncher, AdapterWithoutANameGetsTheTextsWithoutIt) {
    const struct {
        const char16_t* caption;
        uint32_t bytes;
        const char16_t* memory;
    } cases[] = {
        {u"", 256 * kMb, u"Adapter: at least 256 MB"},
        {u" \t ", 64 * kMb, u"Adapter: less than 256 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.caption)));
        FakePlatform platform;
        platform.exitCode = kDiagnosticNotSupported;
        platform.adapter.caption = c.caption;
        platform.adapter.memoryBytes = c.bytes;
        const auto rows = RunGraphicsChecks(platform);
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->memory.displayText, c.memory);
        EXPECT_EQ(rows->card.displayText, u"The card is not supported");
    }
}

TEST(DiagnosticLauncher, AdaptersDiffer) {
    FakePlatform platform;
    platform.adapter.adaptersDiffer = true;
    const auto rows = RunGraphicsChecks(platform);
    ASSERT_TRUE(rows);
    ExpectResult(rows->adaptersDiffer, CheckLevel::Warning, u"Adapters differ", u"Adapters differ");

    FakePlatform same;
    ExpectNoRow(RunGraphicsChecks(same)->adaptersDiffer);
}

TEST(DiagnosticLauncher, CardRowsFromTheListAndTheExitCode) {
    const struct {
        const char* what;
        int32_t exitCode;
        std::optional<std::vector<std::u16string>> list;
        CheckLevel card;
        std::u16string cardText;
        CheckLevel driver;
    } cases[] = {
        {"supported without a list file", 3, std::nullopt, CheckLevel::Passed,
         u"NVIDIA Quadro FX 580 passes, not certified", CheckLevel::NoResult},
        {"supported and listed GD", 3,
         std::vector<std::u16string>{u"# NVIDIA", u"Quadro FX 580,285.62,20111205,GD"},
         CheckLevel::Warning, u"Check the driver", CheckLevel::NoResult},
        {"supported and listed GL", 3,
         std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GL"},
         CheckLevel::PassedWithMargin, u"Card supported", CheckLevel::NoResult},
        {"older driver, listed GD", 2,
         std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GD"}, CheckLevel::NoResult,
         u"", CheckLevel::Warning},
        {"older driver, GD then NG: the last match wins", 2,
         std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GD",
                                     u"Quadro,285.62,20111205,NG"},
         CheckLevel::Warning, u"NVIDIA Quadro FX 580 is not supported", CheckLevel::NoResult},
        {"remote session", 1, std::nullopt, CheckLevel::Warning, u"Not tested: remote session",
         CheckLevel::NoResult},
        {"not started", -1, std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GD"},
         CheckLevel::NoResult, u"", CheckLevel::NoResult},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform platform;
        if (c.exitCode == kDiagnosticNotStarted) {
            platform.end = DiagnosticEnd::NotStarted;
        }
        platform.exitCode = c.exitCode;
        platform.list = c.list;
        const auto rows = RunGraphicsChecks(platform);
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->card.level, c.card);
        EXPECT_EQ(rows->card.displayText, c.cardText);
        EXPECT_EQ(rows->driver.level, c.driver);
        // The memory row comes whatever the diagnostic said.
        EXPECT_EQ(rows->memory.level, CheckLevel::Passed);
    }
}

// A run without a verdict gives the diagnostic's own warning row: one that
// did not finish counts as a failed graphics test, one that could not be
// started leaves the card unchecked.
TEST(DiagnosticLauncher, RunWithoutAVerdictGivesAWarningRow) {
    const std::u16string unsupported = u"NVIDIA Quadro FX 580 is not supported";
    const std::u16string unfinished = u"Graphics test unfinished";
    const std::u16string notStarted = u"Graphics test not started";
    const struct {
        const char* what;
        DiagnosticEnd end;
        int32_t exitCode;
        std::u16string row;   // the diagnostic's own warning row; empty for none
        std::u16string card;  // the card row's warning; empty for another row or none
        int32_t counted;
    } cases[] = {
        {"ran past its time limit", DiagnosticEnd::TimedOut, 0, unfinished, unsupported, 0},
        {"crashed: access violation", DiagnosticEnd::Exited, static_cast<int32_t>(0xC0000005),
         unfinished, unsupported, 0},
        // Wine, with its debugger off, ends a crashed program with the low
        // byte of the exception code.
        {"crashed under Wine", DiagnosticEnd::Exited, 5, unfinished, unsupported, 0},
        {"a negative code", DiagnosticEnd::Exited, -5, unfinished, unsupported, 0},
        {"not supported", DiagnosticEnd::Exited, 0, u"", unsupported, 0},
        {"switchable graphics", DiagnosticEnd::Exited, 4, u"", u"", 4},
        {"not started", DiagnosticEnd::NotStarted, 0, notStarted, u"", kDiagnosticNotStarted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakePlatform platform;
        platform.end = c.end;
        platform.exitCode = c.exitCode;
        RecordedVideo boxes;
        const auto rows = RunGraphicsChecks(platform, &boxes);
        ASSERT_TRUE(rows);
        if (c.row.empty()) {
            ExpectNoRow(rows->diagnostic);
        } else {
            ExpectResult(rows->diagnostic, CheckLevel::Warning, c.row, c.row);
        }
        if (!c.card.empty()) {
            ExpectResult(rows->card, CheckLevel::Warning, c.card, c.card);
        }
        EXPECT_EQ(boxes.boxes[0].second, ReturnValueBoxText(c.counted));
        // The adapter rows follow as after any run.
        EXPECT_EQ(rows->memory.level, CheckLevel::Passed);
    }
}

TEST(DiagnosticLauncher, TestsCanOnlyShortenTheTimeLimit) {
    const struct {
        const char16_t* text;
        uint32_t limit;
    } cases[] = {
        {u"2000", 2000},         {u"1", 1},
        {u"119999", 119999},     {u"120000", 120000},
        {u"4000000000", 120000}, {u"0", 120000},
        {u"", 120000},           {u"-5", 120000},
        {u"10 s", 120000},       {u"99999999999999999999", 120000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::u16string(c.text)));
        EXPECT_EQ(ShorterTimeLimit(c.text, 120000), c.limit);
    }
}

// The query runs before the wait, yet its boxes follow the return value's.
TEST(DiagnosticLauncher, DiagnosticBoxesInOrder) {
    FakePlatform platform;
    platform.list = std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GD"};
    RecordedVideo boxes;
    RunGraphicsChecks(platform, &boxes);
    std::vector<std::u16string> captions;
    for (const auto& box : boxes.boxes) {
        captions.push_back(box.first);
    }
    EXPECT_EQ(captions, (std::vector<std::u16string>{u"VexMira.exe", u"Version", u"Die Version",
                                                     u"Der Vergleich"}));
    EXPECT_EQ(boxes.boxes[0].second, u"Return value: 3");
}

// The launcher in the check sequence: the rows and report lines of checks 6
// to 8 after five machine checks without rows.
class NoSystemChecks final : public SystemChecks {
  public:
    OperatingSystemCheck CheckOperatingSystem() override { return {}; }
    CheckResult CheckProcessor() override { return {}; }
    CheckResult CheckMemory() override { return {}; }
    CheckResult CheckDiskSpace() override { return {}; }
    CheckResult CheckScreen() override { return {}; }
};

TEST(DiagnosticLauncher, RowsAndReportLinesInTheCheckSequence) {
    FakePlatform platform;
    platform.exitCode = kDiagnosticSupported;
    platform.adapter.adaptersDiffer = true;
    platform.list = std::vector<std::u16string>{u"Quadro FX 580,285.62,20111205,GD"};
    MemoryStrings strings;
    SilentVideo silent;
    DiagnosticLauncher launcher(platform, strings, silent);
    NoSystemChecks system;
    const CheckRun run =
        RunChecks(system, launcher, strings, {u"PC", {6, 12, 2026}, u"Feb 20 2012", {}});

    ASSERT_EQ(run.verdicts.size(), 3u);
    EXPECT_EQ(run.verdicts[0].displayText, u"NVIDIA Quadro FX 580: at least 256 MB");
    EXPECT_EQ(run.verdicts[0].level, CheckLevel::Passed);
    EXPECT_EQ(run.verdicts[1].displayText, u"Check the driver");
    EXPECT_EQ(run.verdicts[1].level, CheckLevel::Warning);
    EXPECT_EQ(run.verdicts[2].displayText, u"Adapters differ");
    EXPECT_EQ(run.diagnostic.end, DiagnosticEnd::Exited);
    EXPECT_EQ(run.diagnostic.exitCode, kDiagnosticSupported);
    // The card row's report line has the text with the product name.
    EXPECT_NE(FormatReport(run).find(u"Warning: Check the driver for Quarvel 2012\r\n"),
              std::u16string::npos);
    EXPECT_EQ(run.summary.overallLevel, CheckLevel::Warning);
}

}  // namespace
