#include "cardlist/explain.h"

#include "adapters/card_list.h"
#include "adapters/primary_video_adapter.h"
#include "adapters/video_adapters.h"
#include "cardlist/english_strings.h"
#include "common/text.h"
#include "systest/engine/check_sequence.h"
#include "systest/engine/launcher.h"
#include "vexmira/diagnostic_flow.h"

#include <optional>

namespace {

// Enough memory for both programs: memory is no part of the list's rules.
constexpr uint32_t kDescribedMemoryBytes = 1024u << kBytesPerMbShift;
constexpr char16_t kDescribedDeviceKey[] =
    u"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\"
    u"{00000000-0000-0000-0000-000000000000}\\0000";
// WMI's DriverDate is a CIM datetime; the programs read its first 8 characters.
constexpr char16_t kCimTimeOfDay[] = u"000000.000000-000";
// An OpenGL vendor string that names no Intel.
constexpr char kAnotherVendor[] = "another vendor";

WmiText Text(std::u16string text) {
    return {WmiText::State::Text, std::move(text)};
}

// The machine that Windows describes with the adapter's facts: one adapter on
// the desktop, its display device the primary one, and the driver's version
// in its registry key as in WMI.
class DescribedVideoSystem final : public VideoControllerSource,
                                   public DisplayDeviceSource,
                                   public DriverKeySource {
  public:
    explicit DescribedVideoSystem(const AdapterFacts& facts) : facts_(facts) {}

    WmiVideoControllerQuery Query(Dialect) override {
        WmiVideoController controller;
        controller.caption = Text(facts_.caption);
        controller.adapterRam = {WmiMemory::State::Value, kDescribedMemoryBytes};
        controller.driverDate = Text(facts_.driverDate + kCimTimeOfDay);
        controller.driverVersion = Text(facts_.driverVersion);
        controller.pnpDeviceId = Text(facts_.pnpDeviceId);
        return {true, {controller}};
    }

    // The display device's id is the hardware id that begins the PNP device
    // id: the text before its second backslash.
    std::vector<DisplayDevice> Enumerate() override {
        const size_t first = facts_.pnpDeviceId.find(u'\\');
        const size_t second =
            first == std::u16string::npos ? first : facts_.pnpDeviceId.find(u'\\', first + 1);
        return {{facts_.pnpDeviceId.substr(0, second), kDescribedDeviceKey,
                 kDisplayAttachedToDesktop | kDisplayPrimaryDevice}};
    }

    std::optional<DriverKeyValues> Read(std::u16string_view) override {
        DriverKeyValues values;
        values.driverVersion = {true, facts_.driverVersion};
        return values;
    }

    VideoSystem Sources() { return {*this, *this, *this}; }

  private:
    const AdapterFacts& facts_;
};

// Vexmira's log, each line with the list line its search was reading.
class SearchLog final : public DiagnosticLog {
  public:
    SearchLog(std::vector<LogLine>& lines, const RecordedLines& list)
        : lines_(lines), list_(list) {}
    void Print(std::u16string_view text) override {
        lines_.push_back({searching ? list_.CurrentNumber() : 0, std::u16string(text)});
    }
    bool searching = false;

  private:
    std::vector<LogLine>& lines_;
    const RecordedLines& list_;
};

VexmiraVerdict EvaluateVexmira(const ListReadings& list, std::u16string_view listPath,
                               const AdapterFacts& facts, const OpenGLFacts& gl) {
    VexmiraVerdict verdict;
    RecordedLines lines(list.vexmira);
    RecordedListFiles files(lines);
    SearchLog log(verdict.log, lines);
    DescribedVideoSystem system(facts);
    VideoSystem sources = system.Sources();
    VideoAdapterTable table;
    const int summary = SummarizeVideoAdapters(table, sources, log);
    if (summary < 0) {
        verdict.exitCode = kExitNotSupported;
        return verdict;
    }
    // Without another vendor, OpenGL is the adapter's own.
    const std::string vendor = gl.anotherVendor ? kAnotherVendor : Utf8FromUtf16(facts.caption);
    verdict.switchableGraphics = IsSwitchableGraphics(summary, vendor);
    const std::u16string path(listPath);
    const auto search = [&](int mode) {
        verdict.listSearched = true;
        verdict.fullCheck = mode == static_cast<int>(CardListMode::Full);
        log.searching = true;
        const int result = SearchCardList(
            table, path, mode == 0 ? CardListMode::Reduced : CardListMode::Full, files, log);
        log.searching = false;
        if (!lines.ReachedEnd() && lines.Current() != nullptr) {
            verdict.decidingLine = lines.Current()->number;
            verdict.decidingText = WithoutLineBreak(lines.Current()->text);
        }
        return result;
    };
    verdict.exitCode = RunCardListStep(gl.version, verdict.switchableGraphics, search, log);
    return verdict;
}

// QuarvelSysTest's graphics checks on the described machine, after a run of
// Vexmira that gave the exit code.
class DescribedPlatform final : public DiagnosticPlatform {
  public:
    DescribedPlatform(const AdapterFacts& facts, int32_t exitCode, RecordedLines& lines)
        : facts_(facts), exitCode_(exitCode), lines_(lines) {}

    void StartDiagnosticProgram() override {}
    DiagnosticRun WaitForDiagnosticProgram() override { return {DiagnosticEnd::Exited, exitCode_}; }
    int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) override {
        DescribedVideoSystem system(facts_);
        VideoSystem sources = system.Sources();
        return ::QueryPrimaryVideoAdapter(adapter, sources, verbose);
    }
    std::unique_ptr<CardListLines> OpenCardList() override { return ReadThrough(lines_); }

  private:
    const AdapterFacts& facts_;
    int32_t exitCode_;
    RecordedLines& lines_;
};

// The diagnostic boxes of "-verbosevideo": the scan shows its comparison for
// each line that matches.
class MatchRecorder final : public VerboseVideo {
  public:
    MatchRecorder(const RecordedLines& list, std::vector<ListLine>& matches)
        : list_(list), matches_(matches) {}
    void Show(std::u16string_view caption, std::u16string_view) override {
        if (caption == kComparisonBoxCaption && list_.Current() != nullptr) {
            matches_.push_back(*list_.Current());
        }
    }

  private:
    const RecordedLines& list_;
    std::vector<ListLine>& matches_;
};

struct CardRows {
    CheckResult card;
    CheckResult driver;
};

CardRows EvaluateQuarvelSysTest(const ListReadings& list, const AdapterFacts& facts,
                                int32_t exitCode, const StringSource& strings,
                                std::vector<ListLine>& matches) {
    RecordedLines lines(list.quarvelSysTest);
    DescribedPlatform platform(facts, exitCode, lines);
    MatchRecorder verbose(lines, matches);
    DiagnosticLauncher launcher(platform, strings, verbose);
    CheckResult diagnostic;
    CardRows rows;
    // The check sequence runs the graphics checks only after a good query.
    if (launcher.RunDiagnostic(diagnostic)) {
        launcher.EvaluateCardList(rows.card, rows.driver);
    }
    return rows;
}

// Names each message by its number, so the rows tell which messages they show.
class MessageNumbers final : public StringSource {
  public:
    std::u16string Load(int id) const override { return Utf16FromAscii(std::to_string(id)); }
};

QuarvelSysTestVerdict EvaluateRows(const ListReadings& list, const AdapterFacts& facts,
                                   int32_t exitCode) {
    QuarvelSysTestVerdict verdict;
    const EnglishStrings english;
    std::vector<ListLine> matches;
    const CardRows texts = EvaluateQuarvelSysTest(list, facts, exitCode, english, matches);
    std::vector<ListLine> unused;
    const CardRows numbers =
        EvaluateQuarvelSysTest(list, facts, exitCode, MessageNumbers(), unused);

    PrimaryVideoAdapter adapter;
    DescribedVideoSystem system(facts);
    VideoSystem sources = system.Sources();
    SilentVideo silent;
    QueryPrimaryVideoAdapter(adapter, sources, silent);
    verdict.adapterVersion = adapter.driverVersion;
    verdict.adapterDate = adapter.driverDate;

    for (const ListLine& line : matches) {
        const std::optional<CardListEntry> entry =
            ParseCardListLine(line.text, Dialect::QuarvelSysTest);
        if (!entry) {
            continue;
        }
        verdict.matches.push_back(
            {line, CompareDriverVersion(adapter.driverVersion, entry->listVersion),
             IsDriverDateCurrent(adapter.driverDate, entry->listDate, Dialect::QuarvelSysTest)});
        // The scan remembers the last line that matched.
        verdict.matched = true;
        verdict.decidingLine = line.number;
        verdict.entryCode = entry->entryCode;
    }

    const struct {
        CheckKey key;
        const CheckResult& text;
        const CheckResult& number;
    } results[] = {{CheckKey::GraphicsCard, texts.card, numbers.card},
                   {CheckKey::GraphicsDriver, texts.driver, numbers.driver}};
    for (const auto& result : results) {
        if (result.text.level == CheckLevel::NoResult) {
            continue;
        }
        verdict.rows.push_back({std::string(CheckKeyName(result.key)), result.text.level,
                                TrimSpaces(english.LoadStatusWord(
                                    StatusWordId(static_cast<int32_t>(result.text.level)))),
                                ParseLeadingInt(result.number.displayText), result.text.displayText,
                                ParseLeadingInt(result.number.reportText), result.text.reportText});
    }
    return verdict;
}

}  // namespace

Explanation Explain(const ListReadings& list, std::u16string_view listPath,
                    const AdapterFacts& adapter, const OpenGLFacts& gl) {
    Explanation explanation;
    explanation.vexmira = EvaluateVexmira(list, listPath, adapter, gl);
    explanation.quarvelSysTest = EvaluateRows(list, adapter, explanation.vexmira.exitCode);
    return explanation;
}
