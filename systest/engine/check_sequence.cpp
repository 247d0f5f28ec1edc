#include "systest/engine/check_sequence.h"

#include "common/format.h"
#include "systest/engine/product.h"
#include "systest/resources/string_ids.h"

#include <algorithm>

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
        const CheckVerdict& verdict = verdicts_.emplace_back(
            CheckVerdict{key, level, strings_.Load(StatusWordId(level)), displayText, reportText});
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

// The gate and, when it opens, checks 6 to 8.
void RunGraphicsChecks(GraphicsChecks& graphics, Verdicts& verdicts, CheckRun& run) {
    CheckResult diagnostic;
    const bool adapterFound = graphics.RunDiagnostic(diagnostic);
    run.diagnostic = graphics.Diagnostic();
    verdicts.Add(CheckKey::Diagnostic, diagnostic);
    if (adapterFound) {
        verdicts.Add(CheckKey::GraphicsMemory, graphics.EvaluateAdapterMemory());
        CheckResult card;
        CheckResult driver;
        graphics.EvaluateCardList(card, driver);
        verdicts.AddWithReportText(CheckKey::GraphicsCard, card);
        verdicts.AddWithReportText(CheckKey::GraphicsDriver, driver);
        verdicts.AddWithReportText(CheckKey::Adapters, graphics.EvaluateAdaptersDiffer());
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
    return run;
}
