#include "systest/engine/check_sequence.h"

#include "systest/engine/report_file.h"

#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int32_t kNoRows = 5;

CheckResult Result(int32_t level, std::u16string display = u"display",
                   std::u16string report = u"report") {
    return {static_cast<CheckLevel>(level), std::move(display), std::move(report)};
}

// Checks 1 to 5 with fixed results; records the order of the calls.
class FakeSystemChecks final : public SystemChecks {
  public:
    std::array<CheckResult, 5> results;
    std::optional<OSReading> os;
    std::vector<std::string> calls;

    OperatingSystemCheck CheckOperatingSystem() override { return {Called("os", 0), os}; }
    CheckResult CheckProcessor() override { return Called("cpu", 1); }
    CheckResult CheckMemory() override { return Called("memory", 2); }
    CheckResult CheckDiskSpace() override { return Called("disk", 3); }
    CheckResult CheckScreen() override { return Called("screen", 4); }

  private:
    CheckResult Called(const char* name, size_t index) {
        calls.push_back(name);
        return results[index];
    }
};

class FakeGraphicsChecks final : public GraphicsChecks {
  public:
    bool gate = true;
    CheckResult diagnostic, memory, card, driver, differ, hybrid;
    DiagnosticOutcome outcome;
    GraphicsFacts facts;
    int runs = 0;

    GraphicsFindings RunDiagnostic() override {
        ++runs;
        GraphicsFindings found{outcome, facts, diagnostic, std::nullopt};
        if (gate) {
            found.adapterRows = AdapterRows{memory, card, driver, differ, hybrid};
        }
        return found;
    }
};

const RunFacts kFacts = {u"PC7", {6, 12, 2026}, u"Feb 20 2012", {}};
constexpr char16_t kMetaLine[] = u"Meta data: \"PC7\" 06.12.2026 2012 20.02.12";

// The checks in sequence order: 1-5, then 6, card, driver and 8.
struct Scenario {
    std::array<int32_t, 9> levels;
    bool gate;
};

struct SequenceRun {
    FakeSystemChecks system;
    FakeGraphicsChecks graphics;
    MemoryStrings strings;
    RunFacts facts = kFacts;
    CheckRun result;

    explicit SequenceRun(const Scenario& scenario) {
        for (size_t i = 0; i < 5; ++i) {
            system.results[i] = Result(scenario.levels[i]);
        }
        graphics.gate = scenario.gate;
        graphics.memory = Result(scenario.levels[5]);
        graphics.card = Result(scenario.levels[6]);
        graphics.driver = Result(scenario.levels[7]);
        graphics.differ = Result(scenario.levels[8]);
    }
    SequenceRun& Go() {
        result = RunChecks(system, graphics, strings, facts);
        return *this;
    }
};

TEST(RunChecks, FoldsLevelsIntoTheSummary) {
    struct Case {
        const char* name;
        Scenario scenario;
        size_t verdicts;
        int32_t overall;
        std::u16string status;
        std::u16string summary;
    };
    const std::u16string failed = u"This computer does not meet the requirements of Quarvel 2012.";
    const std::u16string warning = u"This computer meets the minimum requirements of Quarvel 2012.";
    const std::u16string passed = u"This computer meets the requirements of Quarvel 2012.";
    const Case cases[] = {
        {"all passed", {{3, 4, 3, 4, 3, 3, 3, 3, 3}, true}, 9, 3, u"Passed: ", passed},
        {"all with margin", {{4, 4, 4, 4, 4, 4, 4, 4, 4}, true}, 9, 4, u"Passed: ", passed},
        {"first fails", {{1, 3, 3, 3, 3, 3, 3, 3, 3}, true}, 9, 1, u"Failed: ", failed},
        {"last fails", {{3, 3, 3, 3, 3, 3, 3, 3, 1}, true}, 9, 1, u"Failed: ", failed},
        {"fail beats warning", {{2, 2, 1, 2, 3, 3, 3, 3, 3}, true}, 9, 1, u"Failed: ", failed},
        {"warnings only", {{2, 2, 2, 2, 2, 2, 2, 2, 2}, true}, 9, 2, u"Warning: ", warning},
        {"one warning", {{3, 3, 3, 3, 3, 3, 3, 3, 2}, true}, 9, 2, u"Warning: ", warning},
        {"no rows", {{0, 0, 0, 0, 0, 0, 0, 0, 0}, false}, 0, kNoRows, u"No result: ", failed},
        {"negative levels add nothing",
         {{-1, -2, 0, 0, 0, -1, 0, 0, 0}, true},
         0,
         kNoRows,
         u"No result: ",
         failed},
        {"closed gate hides graphics",
         {{3, 3, 3, 3, 3, 1, 1, 1, 1}, false},
         5,
         3,
         u"Passed: ",
         passed},
        {"driver row only", {{0, 0, 0, 0, 0, 0, 0, 2, 0}, true}, 1, 2, u"Warning: ", warning},
        {"driver warns, card silent",
         {{3, 3, 4, 3, 3, 3, 0, 2, 0}, true},
         7,
         2,
         u"Warning: ",
         warning},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SequenceRun run(c.scenario);
        const CheckSummary& summary = run.Go().result.summary;
        EXPECT_EQ(run.result.verdicts.size(), c.verdicts);
        EXPECT_EQ(static_cast<int32_t>(summary.overallLevel), c.overall);
        EXPECT_EQ(summary.status, c.status);
        EXPECT_EQ(summary.text, c.summary);
    }
}

TEST(RunChecks, VerdictsTakeTheStatusWordOfTheirLevel) {
    // Level 7 is none a check should give; it reads as "no result".
    SequenceRun run({{1, 2, 3, 4, 7, 0, 0, 0, 0}, false});
    run.system.results[2] = Result(3, u"Memory sufficient");
    run.Go();
    const std::vector<CheckVerdict>& verdicts = run.result.verdicts;
    ASSERT_EQ(verdicts.size(), 5u);
    const char16_t* statuses[] = {u"Failed: ", u"Warning: ", u"Passed: ", u"Passed: ",
                                  u"No result: "};
    for (size_t i = 0; i < verdicts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(verdicts[i].status, statuses[i]);
    }
    EXPECT_EQ(verdicts[2].displayText, u"Memory sufficient");
    EXPECT_EQ(run.result.summary.overallLevel, CheckLevel::Failed);
}

TEST(RunChecks, ReportHasMetaLineRowsAndSummary) {
    SequenceRun run({{3, 4, 2, 0, 1, 0, 0, 0, 0}, false});
    run.system.results[0] = Result(3, u"Windows version supported");
    run.system.results[1] = Result(4, u"Processor with SSE2");
    run.system.results[2] = Result(2, u"Memory small");
    run.system.results[4] = Result(1, u"Screen below 1024x768");
    run.Go();
    EXPECT_EQ(run.result.metaLine, kMetaLine);
    EXPECT_EQ(FormatReport(run.result),
              std::u16string(kMetaLine) +
                  u"\r\n"
                  u"Passed: Windows version supported\r\n"
                  u"Passed: Processor with SSE2\r\n"
                  u"Warning: Memory small\r\n"
                  u"Failed: Screen below 1024x768\r\n"
                  u"Failed: This computer does not meet the requirements of Quarvel 2012.\r\n");
}

// After the summary, the facts behind the graphics rows for the people who
// help: every adapter, the judged one marked, and Vexmira's log. The rows
// about that adapter name it.
TEST(RunChecks, ReportEndsWithTheAdaptersWindowsReported) {
    SequenceRun run({{0, 0, 0, 0, 0, 0, 3, 0, 2}, true});
    run.graphics.hybrid = Result(4, u"hybrid", u"hybrid");
    run.graphics.facts = {{{u"Intel(R) UHD Graphics 630",
                            u"PCI\\VEN_8086&DEV_3E92",
                            u"31.0.101.2111",
                            u"20220606000000.000000-000",
                            std::nullopt,
                            1073741824u,
                            {31, 0, 101, 2111},
                            20220606,
                            true,
                            true,
                            true},
                           {u"NVIDIA GeForce RTX 3050 Laptop GPU",
                            u"PCI\\VEN_10DE&DEV_25AB",
                            u"32.0.15.5599",
                            std::nullopt,
                            u"8.850-110504a",
                            std::nullopt,
                            {555, 99, 0, 0},
                            0,
                            true,
                            false,
                            false},
                           {u"DisplayLink USB Device",
                            u"USB\\VID_17E9",
                            std::nullopt,
                            std::nullopt,
                            std::nullopt,
                            std::nullopt,
                            {},
                            0,
                            false,
                            true,
                            false}},
                          0,
                          u"vexmira_PC7_2026-12-6_1405.txt"};
    run.Go();
    EXPECT_EQ(FormatReport(run.result),
              std::u16string(kMetaLine) +
                  u"\r\n"
                  u"Passed: report\r\n"
                  u"Warning: report\r\n"
                  u"Passed: hybrid\r\n"
                  u"Warning: This computer meets the minimum requirements of Quarvel 2012.\r\n"
                  u"Adapters as Windows reports them:\r\n"
                  u"  1. Intel(R) UHD Graphics 630 (judged, primary screen)\r\n"
                  u"     PCI\\VEN_8086&DEV_3E92\r\n"
                  u"     driver 31.0.101.2111 of 20220606000000.000000-000, compared as "
                  u"31.0.101.2111 of 2022-06-06; memory 1024 MB\r\n"
                  u"  2. NVIDIA GeForce RTX 3050 Laptop GPU (no screen)\r\n"
                  u"     PCI\\VEN_10DE&DEV_25AB\r\n"
                  u"     driver 32.0.15.5599, registry 8.850-110504a, compared as 555.99; memory "
                  u"unknown\r\n"
                  u"  3. DisplayLink USB Device (renders no OpenGL)\r\n"
                  u"     USB\\VID_17E9\r\n"
                  u"     driver (none); memory unknown\r\n"
                  u"Vexmira log: vexmira_PC7_2026-12-6_1405.txt\r\n");
    std::vector<std::optional<size_t>> adapters;
    for (const CheckVerdict& verdict : run.result.verdicts) {
        adapters.push_back(verdict.adapter);
    }
    EXPECT_EQ(adapters, (std::vector<std::optional<size_t>>{0, std::nullopt, 0}));
}

TEST(RunChecks, WithoutRowsTheReportHasTwoLines) {
    SequenceRun run({{0, 0, 0, 0, 0, 0, 0, 0, 0}, false});
    run.Go();
    EXPECT_TRUE(run.result.verdicts.empty());
    EXPECT_EQ(FormatReport(run.result),
              std::u16string(kMetaLine) +
                  u"\r\n"
                  u"No result: This computer does not meet the requirements of Quarvel 2012.\r\n");
}

TEST(RunChecks, CardListAndAdaptersDifferReportTheirOwnText) {
    SequenceRun run({{0, 0, 0, 0, 0, 3, 3, 2, 2}, true});
    // Checks 1 to 6 report what they display, whatever else they return.
    run.graphics.memory = Result(3, u"memory row", u"ignored");
    run.graphics.card = Result(3, u"card row", u"card report");
    run.graphics.driver = Result(2, u"driver row", u"driver report");
    run.graphics.differ = Result(2, u"differ row", u"differ report");
    run.Go();
    std::vector<std::u16string> shown;
    for (const CheckVerdict& verdict : run.result.verdicts) {
        shown.push_back(verdict.displayText);
    }
    EXPECT_EQ(shown, (std::vector<std::u16string>{u"memory row", u"card row", u"driver row",
                                                  u"differ row"}));
    EXPECT_EQ(FormatReport(run.result),
              std::u16string(kMetaLine) +
                  u"\r\n"
                  u"Passed: memory row\r\n"
                  u"Passed: card report\r\n"
                  u"Warning: driver report\r\n"
                  u"Warning: differ report\r\n"
                  u"Warning: This computer meets the minimum requirements of Quarvel 2012.\r\n");
}

TEST(RunChecks, VerdictsNameTheirCheckAndCarryTheReportLine) {
    const struct {
        const char* name;
        Scenario scenario;
        std::vector<std::string_view> keys;
    } cases[] = {
        {"every check",
         {{3, 3, 3, 3, 3, 3, 3, 3, 3}, true},
         {"os", "processor", "memory", "disk", "screen", "graphics-memory", "graphics-card",
          "graphics-driver", "adapters"}},
        {"silent checks have no verdict",
         {{0, 2, 0, 1, 0, 0, 0, 2, 0}, true},
         {"processor", "disk", "graphics-driver"}},
        {"closed gate", {{3, 0, 0, 0, 4, 1, 1, 1, 1}, false}, {"os", "screen"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SequenceRun run(c.scenario);
        run.Go();
        std::vector<std::string_view> keys;
        for (const CheckVerdict& verdict : run.result.verdicts) {
            keys.push_back(CheckKeyName(verdict.key));
        }
        EXPECT_EQ(keys, c.keys);
    }

    SequenceRun run({{0, 0, 0, 0, 0, 0, 0, 2, 0}, true});
    run.graphics.driver = Result(2, u"driver row", u"driver report");
    run.Go();
    EXPECT_EQ(
        run.result.verdicts,
        (std::vector<CheckVerdict>{{CheckKey::GraphicsDriver, CheckLevel::Warning, u"Warning: ",
                                    u"driver row", u"driver report", true, std::nullopt}}));
}

TEST(RunChecks, StatusWordStaysWholeInTheRecord) {
    SequenceRun run({{1, 0, 0, 0, 0, 0, 0, 0, 0}, false});
    const std::u16string longWord(60, u'x');
    run.strings.Set(IDS_STATUS_FAILED, longWord);
    run.Go();
    ASSERT_EQ(run.result.verdicts.size(), 1u);
    EXPECT_EQ(run.result.verdicts[0].status, longWord);
    EXPECT_EQ(run.result.summary.status, longWord);
    EXPECT_NE(FormatReport(run.result).find(longWord + u"display\r\n"), std::u16string::npos);
}

TEST(RunChecks, EveryCheckRunsInOrderAndTheGateGuardsTheGraphics) {
    for (const bool gate : {true, false}) {
        SCOPED_TRACE(gate);
        SequenceRun run({{1, 1, 1, 1, 1, 1, 1, 1, 1}, gate});
        run.Go();
        EXPECT_EQ(run.system.calls,
                  (std::vector<std::string>{"os", "cpu", "memory", "disk", "screen"}));
        EXPECT_EQ(run.graphics.runs, 1);
        EXPECT_EQ(run.result.verdicts.size(), gate ? 9u : 5u);
    }
}

TEST(RunChecks, TheGatesOwnRowComesAfterTheScreenCheck) {
    for (const bool gate : {true, false}) {
        SCOPED_TRACE(gate);
        SequenceRun run({{0, 0, 0, 0, 3, 3, 0, 0, 0}, gate});
        run.graphics.diagnostic = Result(2, u"graphics test unfinished", u"ignored");
        run.Go();
        std::vector<std::u16string> lines;
        for (const CheckVerdict& verdict : run.result.verdicts) {
            lines.push_back(verdict.status + verdict.displayText);
        }
        std::vector<std::u16string> expected = {u"Passed: display",
                                                u"Warning: graphics test unfinished"};
        if (gate) {
            expected.push_back(u"Passed: display");
        }
        EXPECT_EQ(lines, expected);
        EXPECT_NE(FormatReport(run.result).find(u"\r\nWarning: graphics test unfinished\r\n"),
                  std::u16string::npos);
        EXPECT_EQ(run.result.summary.overallLevel, CheckLevel::Warning);
        ASSERT_GE(run.result.verdicts.size(), 2u);
        EXPECT_EQ(run.result.verdicts[1].key, CheckKey::Diagnostic);
    }
}

// A deployment agent's window station (session 0) has a virtual screen and a
// software renderer: measuring them would judge the wrong machine.
TEST(RunChecks, WithoutAnInteractiveDesktopScreenAndGraphicsAreNotMeasuredAndNeverPass) {
    SequenceRun run({{3, 4, 4, 4, 4, 4, 4, 4, 4}, true});
    run.facts.interactiveDesktop = false;
    run.strings.Set(IDS_SCREEN_NOT_MEASURED, u"Screen not checked");
    run.strings.Set(IDS_GRAPHICS_NOT_MEASURED, u"Graphics not checked");
    run.Go();
    EXPECT_EQ(run.system.calls, (std::vector<std::string>{"os", "cpu", "memory", "disk"}));
    EXPECT_EQ(run.graphics.runs, 0) << "the diagnostic must not run";
    const std::vector<CheckVerdict>& verdicts = run.result.verdicts;
    ASSERT_EQ(verdicts.size(), 6u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(verdicts[i].measured) << i;
    }
    EXPECT_EQ(verdicts[4],
              (CheckVerdict{CheckKey::Screen, CheckLevel::Warning, u"Warning: ",
                            u"Screen not checked", u"Screen not checked", false, std::nullopt}));
    EXPECT_EQ(verdicts[5], (CheckVerdict{CheckKey::GraphicsCard, CheckLevel::Warning, u"Warning: ",
                                         u"Graphics not checked", u"Graphics not checked", false,
                                         std::nullopt}));
    EXPECT_EQ(run.result.summary.overallLevel, CheckLevel::Warning);
    EXPECT_EQ(run.result.diagnostic.end, DiagnosticEnd::NotStarted);
    EXPECT_EQ(run.result.diagnostic.exitCode, kDiagnosticNotStarted);
}

// Where a process runs, as Windows tells it, and whether its run measures the
// screen and the graphics. Wine cannot start a process into session 0 with an
// interactive window station, so the table stands in for it.
TEST(RunChecks, ScreenAndGraphicsAreMeasuredOnlyOnTheDesktopTheUserSees) {
    constexpr WindowsVersion kXp{5, 1};
    constexpr WindowsVersion kServer2003{5, 2};
    constexpr WindowsVersion kVista{6, 0};
    constexpr WindowsVersion kWindows10{6, 2};
    const struct {
        const char* where;
        DesktopFacts facts;
        bool measured;
    } cases[] = {
        {"XP, the console user in session 0", {true, 0u, kXp}, true},
        {"Server 2003, the console user in session 0", {true, 0u, kServer2003}, true},
        {"XP, a user switched to in session 1", {true, 1u, kXp}, true},
        {"XP, a service's window station", {false, 0u, kXp}, false},
        {"Vista, a service allowed to interact with the desktop", {true, 0u, kVista}, false},
        {"10, a tool started into session 0", {true, 0u, kWindows10}, false},
        {"10, a deployment agent's window station", {false, 0u, kWindows10}, false},
        {"Vista, the user in session 1", {true, 1u, kVista}, true},
        {"10, a remote user in session 3", {true, 3u, kWindows10}, true},
        {"10, no session told", {true, std::nullopt, kWindows10}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        SequenceRun run({{3, 4, 4, 4, 4, 4, 4, 4, 4}, true});
        run.facts.interactiveDesktop = IsInteractiveDesktop(c.facts);
        run.Go();
        ASSERT_GE(run.result.verdicts.size(), 5u);
        EXPECT_EQ(run.result.verdicts[4].key, CheckKey::Screen);
        EXPECT_EQ(run.result.verdicts[4].measured, c.measured);
        EXPECT_EQ(run.graphics.runs, c.measured ? 1 : 0) << "the diagnostic runs when measured";
    }
}

TEST(RunChecks, RecordsWhatTheOperatingSystemAndTheDiagnosticTold) {
    SequenceRun run({{3, 0, 0, 0, 0, 0, 0, 0, 0}, true});
    run.system.os = OSReading{u"Windows 7 Professional Service Pack 1, 64-bit", {u'+', u'1'}};
    run.graphics.outcome = {DiagnosticEnd::TimedOut, 0};
    run.Go();
    ASSERT_TRUE(run.result.os);
    EXPECT_EQ(run.result.os->description, u"Windows 7 Professional Service Pack 1, 64-bit");
    EXPECT_EQ(run.result.os->verdict, (OSVerdict{u'+', u'1'}));
    EXPECT_EQ(run.result.diagnostic.end, DiagnosticEnd::TimedOut);
    EXPECT_EQ(run.result.diagnostic.exitCode, 0);
}

TEST(RunChecks, MissingStringsGiveEmptyTextsButStillRows) {
    SequenceRun run({{2, 0, 0, 0, 0, 0, 0, 0, 0}, false});
    run.strings = MemoryStrings(std::map<int, std::u16string>{});
    run.Go();
    ASSERT_EQ(run.result.verdicts.size(), 1u);
    EXPECT_EQ(run.result.verdicts[0].status, u"");
    EXPECT_EQ(run.result.summary.text, u"");
    EXPECT_EQ(run.result.metaLine, u"");
    EXPECT_EQ(FormatReport(run.result), u"\r\ndisplay\r\n\r\n");
}

TEST(RunChecks, EmptyComputerNameStillFormsTheMetaLine) {
    FakeSystemChecks system;
    FakeGraphicsChecks graphics;
    const CheckRun result =
        RunChecks(system, graphics, MemoryStrings(), {u"", {1, 1, 2027}, u"Dec 31 1999", {}});
    EXPECT_EQ(result.metaLine, u"Meta data: \"\" 01.01.2027 2012 31.12.99");
}

}  // namespace
