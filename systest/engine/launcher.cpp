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

CheckResult Warning(const std::u16string& text) {
    return {CheckLevel::Warning, text, text};
}

// Check 6: none where the memory is not known.
CheckResult AdapterMemoryRow(const PrimaryVideoAdapter& adapter, const StringSource& strings) {
    CheckResult result;
    if (adapter.memoryBytes != 0) {
        const bool enough =
            (adapter.memoryBytes >> kBytesPerMbShift) >= kRecommendedGraphicsMemoryMb;
        result.level = enough ? CheckLevel::Passed : CheckLevel::Warning;
        if (HasAdapterName(adapter)) {
            result.displayText =
                FormatString(strings.Load(enough ? IDS_GPU_MEMORY_PASSED : IDS_GPU_MEMORY_LOW),
                             {adapter.caption, kRecommendedMemoryMbArgument});
        } else {
            result.displayText = FormatString(
                strings.Load(enough ? IDS_GPU_MEMORY_PASSED_UNNAMED : IDS_GPU_MEMORY_LOW_UNNAMED),
                {kRecommendedMemoryMbArgument});
        }
    }
    result.reportText = result.displayText;
    return result;
}

// Check 9: a warning-free note (level 4, so it never lowers a verdict): the
// row of the judged card carries the verdict, this one says which GPU that
// was and how to run the program on the other. Only when the diagnostic gave
// a verdict about the judged adapter (0, 2 or 3).
CheckResult HybridGraphicsRow(const PrimaryVideoAdapter& adapter, int32_t exitCode,
                              const StringSource& strings) {
    const bool judgedHere = exitCode == kDiagnosticNotSupported ||
                            exitCode == kDiagnosticDriverOutdated ||
                            exitCode == kDiagnosticSupported;
    const std::optional<size_t> other = IdleDiscreteGpu(adapter);
    if (!judgedHere || !other || !HasAdapterName(adapter) ||
        TrimSpaces(adapter.adapters[*other].caption).empty()) {
        return {};
    }
    const std::u16string text =
        FormatString(strings.Load(IDS_HYBRID_GRAPHICS),
                     {TrimSpaces(adapter.caption), TrimSpaces(adapter.adapters[*other].caption)});
    return {CheckLevel::PassedWithMargin, text, text};
}

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

GraphicsFindings DiagnosticLauncher::RunDiagnostic() {
    StartDiagnostic();
    HeldBoxes queryBoxes;
    PrimaryVideoAdapter adapter;
    const int query = platform_.QueryPrimaryVideoAdapter(adapter, queryBoxes);
    const DiagnosticRun run = platform_.WaitForDiagnosticProgram();
    started_ = false;

    GraphicsFindings found;
    found.diagnostic.end = run.end;
    if (run.end == DiagnosticEnd::NotStarted) {
        // Without the diagnostic the graphics card and its driver go unchecked:
        // a warning, so the run cannot pass.
        found.diagnostic.exitCode = kDiagnosticNotStarted;
        found.diagnosticRow = Warning(strings_.Load(IDS_DIAGNOSTIC_NOT_STARTED));
    } else if (run.end == DiagnosticEnd::Exited && IsDiagnosticVerdict(run.exitCode)) {
        found.diagnostic.exitCode = run.exitCode;
    } else {
        found.diagnostic.exitCode = kDiagnosticNotSupported;
        found.diagnosticRow = Warning(strings_.Load(IDS_DIAGNOSTIC_UNFINISHED));
    }
    verbose_.Show(kReturnValueBoxCaption, ReturnValueBoxText(found.diagnostic.exitCode));
    queryBoxes.ShowIn(verbose_);

    found.facts = {adapter.adapters, adapter.judged, run.logFileName};
    if (query == kAdapterNoDriverVersion) {
        found.adapterRows.emplace().memory = Warning(strings_.Load(IDS_DRIVER_VERSION_UNREADABLE));
    } else if (query >= 0) {
        found.adapterRows = JudgeAdapter(adapter, found.diagnostic.exitCode);
    }
    return found;
}

AdapterRows DiagnosticLauncher::JudgeAdapter(const PrimaryVideoAdapter& adapter, int32_t exitCode) {
    AdapterRows rows;
    rows.memory = AdapterMemoryRow(adapter, strings_);
    const std::unique_ptr<CardListLines> lines = platform_.OpenCardList();
    const CardListMatch match = ScanCardList(lines.get(), adapter, verbose_);
    DecideCardList(exitCode, match, adapter, strings_, rows.card, rows.driver);
    if (adapter.adaptersDiffer) {
        rows.adaptersDiffer = Warning(strings_.Load(IDS_ADAPTERS_DIFFER));
    }
    rows.hybridGraphics = HybridGraphicsRow(adapter, exitCode, strings_);
    return rows;
}
