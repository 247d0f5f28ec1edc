#include "systest/engine/launcher.h"

#include "common/format.h"
#include "common/text.h"
#include "systest/engine/card_list_check.h"
#include "systest/resources/string_ids.h"

#include <string>
#include <utility>
#include <vector>

namespace {

// The recommended graphics memory as the argument of the texts' "%d".
constexpr int32_t kRecommendedMemoryMbArgument = kRecommendedGraphicsMemoryMb;

// The diagnostic's own verdicts; any other exit code is a crash.
bool IsDiagnosticVerdict(int32_t exitCode) {
    return exitCode >= kDiagnosticNotSupported && exitCode <= kDiagnosticSwitchableGraphics;
}

// The boxes of a step that runs before they may be shown, kept to be shown
// in their order afterwards.
class HeldBoxes final : public VerboseVideo {
  public:
    void Show(std::u16string_view caption, std::u16string_view text) override {
        boxes_.emplace_back(caption, text);
    }
    void ShowIn(VerboseVideo& verbose) const {
        for (const auto& [caption, text] : boxes_) {
            verbose.Show(caption, text);
        }
    }

  private:
    std::vector<std::pair<std::u16string, std::u16string>> boxes_;
};

}  // namespace

uint32_t ShorterTimeLimit(std::u16string_view text, uint32_t limitMs) {
    uint64_t value = 0;
    for (const char16_t c : text) {
        if (!IsAsciiDigit(c) || value >= limitMs) {
            return limitMs;
        }
        value = value * 10 + static_cast<uint64_t>(c - u'0');
    }
    return text.empty() || value == 0 || value >= limitMs ? limitMs : static_cast<uint32_t>(value);
}

void DiagnosticLauncher::StartDiagnostic() {
    if (!started_) {
        platform_.StartDiagnosticProgram();
        started_ = true;
    }
}

bool DiagnosticLauncher::RunDiagnostic(CheckResult& diagnostic) {
    StartDiagnostic();
    HeldBoxes queryBoxes;
    const int result = platform_.QueryPrimaryVideoAdapter(adapter_, queryBoxes);
    const DiagnosticRun run = platform_.WaitForDiagnosticProgram();
    started_ = false;

    diagnostic = {};
    diagnostic_.end = run.end;
    diagnosticLog_ = run.logFileName;
    if (run.end == DiagnosticEnd::NotStarted) {
        // Without the diagnostic the graphics card and its driver go unchecked:
        // a warning, so the run cannot pass.
        diagnostic_.exitCode = kDiagnosticNotStarted;
        diagnostic.level = CheckLevel::Warning;
        diagnostic.displayText = strings_.Load(IDS_DIAGNOSTIC_NOT_STARTED);
        diagnostic.reportText = diagnostic.displayText;
    } else if (run.end == DiagnosticEnd::Exited && IsDiagnosticVerdict(run.exitCode)) {
        diagnostic_.exitCode = run.exitCode;
    } else {
        diagnostic_.exitCode = kDiagnosticNotSupported;
        diagnostic.level = CheckLevel::Warning;
        diagnostic.displayText = strings_.Load(IDS_DIAGNOSTIC_UNFINISHED);
        diagnostic.reportText = diagnostic.displayText;
    }
    verbose_.Show(kReturnValueBoxCaption, ReturnValueBoxText(diagnostic_.exitCode));
    queryBoxes.ShowIn(verbose_);

    driverVersionUnreadable_ = result == kAdapterNoDriverVersion;
    return result >= 0 || driverVersionUnreadable_;
}

CheckResult DiagnosticLauncher::EvaluateAdapterMemory() {
    CheckResult result;
    if (driverVersionUnreadable_) {
        result.level = CheckLevel::Warning;
        result.displayText = strings_.Load(IDS_DRIVER_VERSION_UNREADABLE);
    } else if (adapter_.memoryBytes != 0) {
        const bool enough =
            (adapter_.memoryBytes >> kBytesPerMbShift) >= kRecommendedGraphicsMemoryMb;
        result.level = enough ? CheckLevel::Passed : CheckLevel::Warning;
        if (HasAdapterName(adapter_)) {
            result.displayText =
                FormatString(strings_.Load(enough ? IDS_GPU_MEMORY_PASSED : IDS_GPU_MEMORY_LOW),
                             {adapter_.caption, kRecommendedMemoryMbArgument});
        } else {
            result.displayText = FormatString(
                strings_.Load(enough ? IDS_GPU_MEMORY_PASSED_UNNAMED : IDS_GPU_MEMORY_LOW_UNNAMED),
                {kRecommendedMemoryMbArgument});
        }
    }
    result.reportText = result.displayText;
    return result;
}

void DiagnosticLauncher::EvaluateCardList(CheckResult& card, CheckResult& driver) {
    card = {};
    driver = {};
    if (driverVersionUnreadable_) {
        return;
    }
    const std::unique_ptr<CardListLines> lines = platform_.OpenCardList();
    const CardListMatch match = ScanCardList(lines.get(), adapter_, verbose_);
    DecideCardList(diagnostic_.exitCode, match, adapter_, strings_, card, driver);
}

CheckResult DiagnosticLauncher::EvaluateAdaptersDiffer() {
    CheckResult result;
    if (!driverVersionUnreadable_ && adapter_.adaptersDiffer) {
        result.level = CheckLevel::Warning;
        result.displayText = strings_.Load(IDS_ADAPTERS_DIFFER);
        result.reportText = result.displayText;
    }
    return result;
}

CheckResult DiagnosticLauncher::EvaluateHybridGraphics() {
    CheckResult result;
    const int32_t exitCode = diagnostic_.exitCode;
    const bool judgedHere = exitCode == kDiagnosticNotSupported ||
                            exitCode == kDiagnosticDriverOutdated ||
                            exitCode == kDiagnosticSupported;
    const std::optional<size_t> other = IdleDiscreteGpu(adapter_);
    if (driverVersionUnreadable_ || !judgedHere || !other || !HasAdapterName(adapter_) ||
        TrimSpaces(adapter_.adapters[*other].caption).empty()) {
        return result;
    }
    result.level = CheckLevel::PassedWithMargin;
    result.displayText =
        FormatString(strings_.Load(IDS_HYBRID_GRAPHICS),
                     {TrimSpaces(adapter_.caption), TrimSpaces(adapter_.adapters[*other].caption)});
    result.reportText = result.displayText;
    return result;
}

GraphicsFacts DiagnosticLauncher::Facts() const {
    return {adapter_.adapters, adapter_.judged, diagnosticLog_};
}
