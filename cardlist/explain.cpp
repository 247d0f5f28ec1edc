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

// The three sources of a machine as adapter discovery reads them.
class MachineVideoSystem final : public VideoControllerSource,
                                 public DisplayDeviceSource,
                                 public DriverKeySource {
  public:
    explicit MachineVideoSystem(const MachineFacts& machine) : machine_(machine) {}

    WmiVideoControllerQuery Query(Dialect) override { return {true, machine_.controllers}; }
    std::vector<DisplayDevice> Enumerate() override { return machine_.displays; }
    std::optional<DriverKeyValues> Read(std::u16string_view subkey) override {
        const auto found = machine_.driverKeys.find(subkey);
        return found == machine_.driverKeys.end() ? std::nullopt : std::optional(found->second);
    }

    VideoSystem Sources() { return {*this, *this, *this}; }

  private:
    const MachineFacts& machine_;
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
                               const MachineFacts& machine, const OpenGLFacts& gl) {
    VexmiraVerdict verdict;
    RecordedLines lines(list.vexmira);
    RecordedListFiles files(lines);
    SearchLog log(verdict.log, lines);
    if (machine.remoteSession) {
        log.Print(u"Remote session detected \n");
        verdict.exitCode = kDiagnosticRemoteSession;
        return verdict;
    }
    MachineVideoSystem system(machine);
    VideoSystem sources = system.Sources();
    VideoAdapterTable table;
    const int summary = SummarizeVideoAdapters(table, sources, log);
    if (summary < 0) {
        verdict.exitCode = kDiagnosticNotSupported;
        return verdict;
    }
    // Without another vendor, OpenGL is the adapter's own.
    const VideoAdapterRecord* adapter = FirstActiveAdapter(table);
    const std::string vendor = !gl.vendor.empty() ? gl.vendor
                               : gl.anotherVendor ? kAnotherVendor
                                                  : Utf8FromUtf16(adapter->caption);
    verdict.switchableGraphics = IsSwitchableGraphics(summary, vendor);
    const std::u16string path(listPath);
    const auto search = [&](int mode) {
        verdict.listSearched = true;
        verdict.fullCheck = mode == static_cast<int>(CardListMode::Full);
        log.searching = true;
        const int result = SearchCardList(
            table, path, mode == 0 ? CardListMode::NamedCardsOnly : CardListMode::Full, files, log);
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

// QuarvelSysTest's graphics checks on the machine, after a run of Vexmira
// that gave the exit code.
class MachinePlatform final : public DiagnosticPlatform {
  public:
    MachinePlatform(const MachineFacts& machine, int32_t exitCode, RecordedLines& lines)
        : machine_(machine), exitCode_(exitCode), lines_(lines) {}

    void StartDiagnosticProgram() override {}
    DiagnosticRun WaitForDiagnosticProgram() override {
        return {DiagnosticEnd::Exited, exitCode_, {}};
    }
    int QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter, VerboseVideo& verbose) override {
        MachineVideoSystem system(machine_);
        VideoSystem sources = system.Sources();
        return ::QueryPrimaryVideoAdapter(adapter, sources, verbose);
    }
    std::unique_ptr<CardListLines> OpenCardList() override { return ReadThrough(lines_); }

  private:
    const MachineFacts& machine_;
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

// The checks before the graphics ones give nothing here.
class NoSystemChecks final : public SystemChecks {
  public:
    OperatingSystemCheck CheckOperatingSystem() override { return {}; }
    CheckResult CheckProcessor() override { return {}; }
    CheckResult CheckMemory() override { return {}; }
    CheckResult CheckDiskSpace() override { return {}; }
    CheckResult CheckScreen() override { return {}; }
};

// The graphics rows of a check run on the machine.
std::vector<CheckVerdict> GraphicsVerdicts(const ListReadings& list, const MachineFacts& machine,
                                           int32_t exitCode, const StringSource& strings,
                                           std::vector<ListLine>& matches) {
    RecordedLines lines(list.quarvelSysTest);
    MachinePlatform platform(machine, exitCode, lines);
    MatchRecorder verbose(lines, matches);
    DiagnosticLauncher launcher(platform, strings, verbose);
    NoSystemChecks system;
    return RunChecks(system, launcher, strings, RunFacts{}).verdicts;
}

// Names each message by its number, so the rows tell which messages they show.
class MessageNumbers final : public StringSource {
  public:
    std::u16string Load(int id) const override { return Utf16FromAscii(std::to_string(id)); }
};

QuarvelSysTestVerdict EvaluateRows(const ListReadings& list, const MachineFacts& machine,
                                   int32_t exitCode) {
    QuarvelSysTestVerdict verdict;
    const EnglishStrings english;
    std::vector<ListLine> matches;
    const std::vector<CheckVerdict> texts =
        GraphicsVerdicts(list, machine, exitCode, english, matches);
    std::vector<ListLine> unused;
    const std::vector<CheckVerdict> numbers =
        GraphicsVerdicts(list, machine, exitCode, MessageNumbers(), unused);

    PrimaryVideoAdapter adapter;
    MachineVideoSystem system(machine);
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

    for (size_t i = 0; i < texts.size() && i < numbers.size(); ++i) {
        const CheckVerdict& text = texts[i];
        verdict.rows.push_back({std::string(CheckKeyName(text.key)), text.level,
                                TrimSpaces(text.status), ParseLeadingInt(numbers[i].displayText),
                                text.displayText, ParseLeadingInt(numbers[i].reportText),
                                text.reportText});
    }
    return verdict;
}

}  // namespace

bool HasNvidiaVersions(std::u16string_view caption) {
    const DriverVersionNumber probe{0, 0, 1, 0};
    DriverVersionNumber version = probe;
    ApplyNvidiaVersionRule(caption, version);
    return version != probe;
}

std::u16string ReportedVersion(const DriverVersionNumber& compared, bool nvidia) {
    const DriverVersionNumber reported =
        nvidia ? DriverVersionNumber{9, 18, 10 + compared.part1 / 100,
                                     compared.part1 % 100 * 100 + compared.part2}
               : compared;
    std::string text = std::to_string(reported.part1);
    for (const int32_t part : {reported.part2, reported.part3, reported.part4}) {
        text += '.';
        text += std::to_string(part);
    }
    return Utf16FromAscii(text);
}

std::u16string HardwareIdOf(std::u16string_view pnpDeviceId) {
    const size_t first = pnpDeviceId.find(u'\\');
    const size_t second =
        first == std::u16string::npos ? first : pnpDeviceId.find(u'\\', first + 1);
    return std::u16string(pnpDeviceId.substr(0, second));
}

MachineFacts MachineOfAdapter(const AdapterFacts& adapter) {
    MachineFacts machine;
    WmiVideoController controller;
    controller.caption = Text(adapter.caption);
    controller.adapterRam = {WmiMemory::State::Value, kDescribedMemoryBytes};
    controller.driverDate = Text(adapter.driverDate + kCimTimeOfDay);
    controller.driverVersion = Text(adapter.driverVersion);
    controller.pnpDeviceId = Text(adapter.pnpDeviceId);
    machine.controllers.push_back(controller);
    machine.displays.push_back({HardwareIdOf(adapter.pnpDeviceId), kDescribedDeviceKey,
                                kDisplayAttachedToDesktop | kDisplayPrimaryDevice,
                                adapter.caption});
    DriverKeyValues values;
    values.driverVersion = {true, adapter.driverVersion};
    machine.driverKeys.emplace(std::u16string(DriverSubkey(kDescribedDeviceKey)), values);
    return machine;
}

Explanation Explain(const ListReadings& list, std::u16string_view listPath,
                    const MachineFacts& machine, const OpenGLFacts& gl) {
    Explanation explanation;
    explanation.vexmira = EvaluateVexmira(list, listPath, machine, gl);
    explanation.quarvelSysTest = EvaluateRows(list, machine, explanation.vexmira.exitCode);
    return explanation;
}

Explanation Explain(const ListReadings& list, std::u16string_view listPath,
                    const AdapterFacts& adapter, const OpenGLFacts& gl) {
    Explanation explanation = Explain(list, listPath, MachineOfAdapter(adapter), gl);
    std::erase_if(explanation.quarvelSysTest.rows, [](const RowVerdict& row) {
        return row.key != CheckKeyName(CheckKey::GraphicsCard) &&
               row.key != CheckKeyName(CheckKey::GraphicsDriver);
    });
    return explanation;
}
