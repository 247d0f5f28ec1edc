#include "systest/engine/check_sequence.h"

#include "common/format.h"
#include "systest/engine/product.h"
#include "systest/resources/string_ids.h"

#include <algorithm>
#include <utility>

namespace {

// One run's verdicts and overall level.
class Verdicts {
  public:
    Verdicts(const StringSource& strings, std::vector<CheckVerdict>& verdicts)
        : strings_(strings), verdicts_(verdicts) {}

    // A level of 1 or more gives a verdict with the report text; any other
    // level adds nothing.
    void Add(CheckKey key, CheckLevel level, const std::u16string& displayText,
             const std::u16string& reportText) {
        if (level < CheckLevel::Failed) {
            return;
        }
        verdicts_.push_back({key, level, strings_.Load(StatusWordId(level)), displayText,
                             reportText, true, std::nullopt});
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

    CheckLevel Overall() const { return overall_; }

  private:
    const StringSource& strings_;
    std::vector<CheckVerdict>& verdicts_;
    CheckLevel overall_ = CheckLevel::NoRows;
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

int StatusWordId(CheckLevel level) {
    switch (level) {
        case CheckLevel::Failed:
            return IDS_STATUS_FAILED;
        case CheckLevel::Warning:
            return IDS_STATUS_WARNING;
        case CheckLevel::Passed:
        case CheckLevel::PassedWithMargin:
            return IDS_STATUS_PASSED;
        default:
            return IDS_STATUS_NO_RESULT;
    }
}

int SummaryTextId(CheckLevel overallLevel) {
    switch (overallLevel) {
        case CheckLevel::Warning:
            return IDS_SUMMARY_WARNING;
        case CheckLevel::Passed:
        case CheckLevel::PassedWithMargin:
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
    run.facts = facts;
    run.metaLine = FormatMetaLine(strings, facts.computerName, facts.today,
                                  ParseBuildDate(facts.buildDateText));
    run.adaptersHeading = strings.Load(IDS_REPORT_ADAPTERS);

    Verdicts verdicts(strings, run.verdicts);
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
    return run;
}
