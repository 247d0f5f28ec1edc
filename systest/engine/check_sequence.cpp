#include "systest/engine/check_sequence.h"

#include "common/format.h"
#include "common/text.h"
#include "systest/engine/product.h"
#include "systest/resources/string_ids.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

constexpr int32_t kFailed = static_cast<int32_t>(CheckLevel::Failed);
constexpr int32_t kWarning = static_cast<int32_t>(CheckLevel::Warning);
constexpr int32_t kPassed = static_cast<int32_t>(CheckLevel::Passed);
constexpr int32_t kPassedWithMargin = static_cast<int32_t>(CheckLevel::PassedWithMargin);

// One run's verdicts, report text and overall level.
class Verdicts {
  public:
    Verdicts(const StringSource& strings, CheckRun& run)
        : strings_(strings), report_(run.reportText), verdicts_(run.verdicts) {}

    // A level of 1 or more gives a verdict and a report line with the report
    // text; any other level adds nothing.
    void Add(CheckKey key, CheckLevel checkLevel, const std::u16string& displayText,
             const std::u16string& reportText) {
        const int32_t level = static_cast<int32_t>(checkLevel);
        if (level < kFailed) {
            return;
        }
        const CheckVerdict& verdict =
            verdicts_.emplace_back(CheckVerdict{key, level, strings_.Load(StatusWordId(level)),
                                                displayText, reportText, true, std::nullopt});
        // No separator: the status word carries its own.
        report_ += verdict.status;
        report_ += reportText;
        report_ += kLineBreak;
        overall_ = std::min(overall_, level);
    }
    // Checks 1 to 6 report what they display.
    void Add(CheckKey key, const CheckResult& result) {
        Add(key, result.level, result.displayText, result.displayText);
    }
    // Checks 7 and 8 have a report text of their own.
    void AddWithReportText(CheckKey key, const CheckResult& result) {
        Add(key, result.level, result.displayText, result.reportText);
    }
    // A check that cannot be made in this run: a warning that says why, so
    // the overall verdict never passes without it.
    void AddNotMeasured(CheckKey key, int textId) {
        const std::u16string text = strings_.Load(textId);
        Add(key, CheckLevel::Warning, text, text);
        verdicts_.back().measured = false;
    }

    int32_t Overall() const { return overall_; }

  private:
    const StringSource& strings_;
    std::u16string& report_;
    std::vector<CheckVerdict>& verdicts_;
    int32_t overall_ = static_cast<int32_t>(CheckLevel::NoRows);
};

// The gate and, when it opens, checks 6 to 9, those about one adapter marked
// with it.
void RunGraphicsChecks(GraphicsChecks& graphics, Verdicts& verdicts, CheckRun& run) {
    GraphicsFindings found = graphics.RunDiagnostic();
    run.diagnostic = found.diagnostic;
    run.graphics = std::move(found.facts);
    verdicts.Add(CheckKey::Diagnostic, found.diagnosticRow);
    if (!found.adapterRows) {
        return;
    }
    const AdapterRows& rows = *found.adapterRows;
    const size_t first = run.verdicts.size();
    verdicts.Add(CheckKey::GraphicsMemory, rows.memory);
    verdicts.AddWithReportText(CheckKey::GraphicsCard, rows.card);
    verdicts.AddWithReportText(CheckKey::GraphicsDriver, rows.driver);
    verdicts.AddWithReportText(CheckKey::Adapters, rows.adaptersDiffer);
    verdicts.AddWithReportText(CheckKey::HybridGraphics, rows.hybridGraphics);
    for (size_t i = first; i < run.verdicts.size(); ++i) {
        if (run.verdicts[i].key != CheckKey::Adapters) {
            run.verdicts[i].adapter = run.graphics.judged;
        }
    }
}

std::u16string Number(uint64_t number) {
    return Utf16FromAscii(std::to_string(number));
}

// The report's list of the adapters Windows reported, for the people who
// help: a heading in the user's language, then each adapter's facts.
void AppendAdapterFacts(std::u16string& report, const GraphicsFacts& facts,
                        const StringSource& strings) {
    if (facts.adapters.empty()) {
        return;
    }
    report += strings.Load(IDS_REPORT_ADAPTERS);
    report += kLineBreak;
    for (size_t i = 0; i < facts.adapters.size(); ++i) {
        const ReportedAdapter& a = facts.adapters[i];
        std::u16string state = !a.rendersOpenGL ? u"renders no OpenGL"
                               : a.drivesScreen ? (a.primary ? u"primary screen" : u"screen")
                                                : u"no screen";
        if (facts.judged == i) {
            state = u"judged, " + state;
        }
        report += u"  " + Number(i + 1) + u". " + a.caption + u" (" + state + u")" +
                  std::u16string(kLineBreak);
        report += u"     " + a.pnpDeviceId + std::u16string(kLineBreak);
        std::u16string driver = u"     driver " + a.driverVersion.value_or(u"(none)");
        if (a.driverDate) {
            driver += u" of " + *a.driverDate;
        }
        if (a.registryVersion && a.registryVersion != a.driverVersion) {
            driver += u", registry " + *a.registryVersion;
        }
        if (a.driverVersion) {
            driver += u", compared as " + DriverVersionText(a.comparedVersion);
            if (a.comparedDate != 0) {
                driver += u" of " + DriverDateText(a.comparedDate);
            }
        }
        driver +=
            u"; memory " +
            (a.memoryBytes ? Number(*a.memoryBytes >> kBytesPerMbShift) + u" MB" : u"unknown");
        report += driver + std::u16string(kLineBreak);
    }
    if (!facts.diagnosticLog.empty()) {
        report += u"Vexmira log: " + facts.diagnosticLog + std::u16string(kLineBreak);
    }
}

}  // namespace

std::string_view CheckKeyName(CheckKey key) {
    switch (key) {
        case CheckKey::OperatingSystem:
            return "os";
        case CheckKey::Processor:
            return "processor";
        case CheckKey::Memory:
            return "memory";
        case CheckKey::Disk:
            return "disk";
        case CheckKey::Screen:
            return "screen";
        case CheckKey::Diagnostic:
            return "diagnostic";
        case CheckKey::GraphicsMemory:
            return "graphics-memory";
        case CheckKey::GraphicsCard:
            return "graphics-card";
        case CheckKey::GraphicsDriver:
            return "graphics-driver";
        case CheckKey::Adapters:
            return "adapters";
        case CheckKey::HybridGraphics:
            return "hybrid-graphics";
    }
    return {};
}

int StatusWordId(int32_t level) {
    switch (level) {
        case kFailed:
            return IDS_STATUS_FAILED;
        case kWarning:
            return IDS_STATUS_WARNING;
        case kPassed:
        case kPassedWithMargin:
            return IDS_STATUS_PASSED;
        default:
            return IDS_STATUS_NO_RESULT;
    }
}

int SummaryTextId(int32_t overallLevel) {
    switch (overallLevel) {
        case kWarning:
            return IDS_SUMMARY_WARNING;
        case kPassed:
        case kPassedWithMargin:
            return IDS_SUMMARY_PASSED;
        default:
            return IDS_SUMMARY_FAILED;
    }
}

bool IsInteractiveDesktop(const DesktopFacts& facts) {
    const bool vistaOrLater = facts.windows.major >= 6;
    return facts.visibleWindowStation && !(vistaOrLater && facts.session == 0u);
}

CheckRun RunChecks(SystemChecks& system, GraphicsChecks& graphics, const StringSource& strings,
                   const RunFacts& facts) {
    CheckRun run;
    run.metaLine = FormatMetaLine(strings, facts.computerName, facts.today,
                                  ParseBuildDate(facts.buildDateText));
    run.reportText = run.metaLine + std::u16string(kLineBreak);

    Verdicts verdicts(strings, run);
    // Every check runs, whatever the earlier ones found.
    OperatingSystemCheck os = system.CheckOperatingSystem();
    verdicts.Add(CheckKey::OperatingSystem, os.result);
    run.os = std::move(os.reading);
    verdicts.Add(CheckKey::Processor, system.CheckProcessor());
    verdicts.Add(CheckKey::Memory, system.CheckMemory());
    verdicts.Add(CheckKey::Disk, system.CheckDiskSpace());
    if (facts.interactiveDesktop) {
        verdicts.Add(CheckKey::Screen, system.CheckScreen());
        RunGraphicsChecks(graphics, verdicts, run);
    } else {
        verdicts.AddNotMeasured(CheckKey::Screen, IDS_SCREEN_NOT_MEASURED);
        verdicts.AddNotMeasured(CheckKey::GraphicsCard, IDS_GRAPHICS_NOT_MEASURED);
    }

    CheckSummary& summary = run.summary;
    summary.overallLevel = verdicts.Overall();
    summary.status = strings.Load(StatusWordId(summary.overallLevel));
    summary.text = FormatString(strings.Load(SummaryTextId(summary.overallLevel)), {kProductName});
    run.reportText += summary.status + summary.text + std::u16string(kLineBreak);
    AppendAdapterFacts(run.reportText, run.graphics, strings);
    return run;
}
