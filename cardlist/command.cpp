#include "cardlist/command.h"

#include "cardlist/check.h"
#include "cardlist/diff.h"
#include "cardlist/explain.h"
#include "cardlist/results_file.h"
#include "cardlist/rollup.h"
#include "common/text.h"
#include "systest/engine/results_json.h"

#include <algorithm>
#include <map>

namespace {

constexpr char kUsage[] =
    "usage: cardlist check FILE\n"
    "       cardlist explain [--list FILE] --caption TEXT [--pnp ID] --driver-version V\n"
    "                        --driver-date YYYYMMDD [--opengl VERSION | --opengl3-switchable]\n"
    "                        [--json]\n"
    "       cardlist explain --results FILE.json [--list FILE]\n"
    "                        [--opengl VERSION | --opengl3-switchable] [--json]\n"
    "       cardlist diff OLD NEW [--pci-ids FILE]\n"
    "       cardlist rollup FOLDER [--csv FILE] [--html FILE] [--separator ';']\n"
    "\n"
    "check    reports the lines of a graphics card list that either program rejects or\n"
    "         reads differently, codes and NVIDIA versions that do not count as written,\n"
    "         and entries that never decide because of their place.\n"
    "explain  shows what Vexmira.exe and QuarvelSysTest.exe decide for an adapter:\n"
    "         Vexmira's list search with the lines it read and its exit code, and the\n"
    "         graphics rows of QuarvelSysTest. V is the driver version as Windows\n"
    "         reports it (8.17.12.9573), or for NVIDIA the short form its control panel\n"
    "         shows (295.73). With OpenGL below 3 (the default 2.1) the list must name\n"
    "         the card; from 3 on a card it does not name passes; --opengl3-switchable\n"
    "         is OpenGL 3 or later from another vendor than the adapter Windows shows.\n"
    "         --results takes every adapter from a results file of QuarvelSysTest\n"
    "         (-json FILE) and explains the one its checks judged. Without --list, the\n"
    "         list that ships with this build of the programs.\n"
    "diff     lists the display adapters of the PCI ID database whose verdict changes\n"
    "         from OLD to NEW; nothing when none does. The database is pci.ids: beside\n"
    "         cardlist.exe in cardlist.zip, in Debian's package pci.ids, or from\n"
    "         https://pci-ids.ucw.cz.\n"
    "rollup   reads every results file (*.json) of FOLDER and writes one CSV row per\n"
    "         computer: to standard output without --csv, UTF-8 with a byte order mark,\n"
    "         fields separated by commas or by the --separator character. --html\n"
    "         writes one page of the fleet. Files that are no results of this version\n"
    "         are named on standard error and skipped.\n"
    "\n"
    "Exit codes: 0 clean, 1 findings, changes or skipped files, 2 usage or file error.\n";

// The options of explain that take a value, and those that do not.
const std::u16string_view kValueOptions[] = {u"--list",           u"--caption",     u"--pnp",
                                             u"--driver-version", u"--driver-date", u"--opengl",
                                             u"--results"};
const std::u16string_view kFlags[] = {u"--opengl3-switchable", u"--json"};
// The adapter typed by hand, which --results takes from the file.
const std::u16string_view kAdapterOptions[] = {u"--caption", u"--pnp", u"--driver-version",
                                               u"--driver-date"};
// A results file is a few kilobytes; a larger file in the folder is none.
constexpr uint64_t kMaxResultsBytes = 1 << 20;
// NVIDIA's short form: release.build, the release at most three digits, the
// build two.
constexpr int32_t kMaxNvidiaRelease = 999;
constexpr int32_t kMaxNvidiaBuild = 99;
// The roll-up's progress shows after this many files.
constexpr size_t kProgressStep = 25;

std::string Utf8(std::u16string_view text) {
    return Utf8FromUtf16(text);
}

class Tool {
  public:
    Tool(const std::vector<std::u16string>& arguments, ToolSystem& system)
        : arguments_(arguments), system_(system) {}

    int Run();

  private:
    int Check();
    int Explain();
    int ExplainResults(const std::u16string& resultsPath, const std::u16string& listPath,
                       const OpenGLFacts& gl, bool openGLAssumed, bool json);
    int Diff();
    int Rollup();
    void ReadFleet(const std::vector<FolderFile>& files, Fleet& fleet);

    int Usage(const std::string& problem);
    std::optional<std::string> Read(const std::u16string& path);
    bool Write(const std::u16string& path, std::string_view bytes);
    void ClearProgress();

    const std::vector<std::u16string>& arguments_;
    ToolSystem& system_;
    size_t progressLength_ = 0;
};

int Tool::Usage(const std::string& problem) {
    system_.Error("cardlist: " + problem + "\n" + kUsage);
    return kToolFailed;
}

std::optional<std::string> Tool::Read(const std::u16string& path) {
    std::optional<std::string> bytes = system_.ReadFile(path);
    if (!bytes) {
        system_.Error("cardlist: cannot read " + Utf8(path) + "\n");
    }
    return bytes;
}

bool Tool::Write(const std::u16string& path, std::string_view bytes) {
    if (!system_.WriteFile(path, bytes)) {
        system_.Error("cardlist: cannot write " + Utf8(path) + "\n");
        return false;
    }
    return true;
}

int Tool::Run() {
    if (arguments_.empty()) {
        return Usage("no command");
    }
    const std::u16string& command = arguments_.front();
    if (command == u"check") {
        return Check();
    }
    if (command == u"explain") {
        return Explain();
    }
    if (command == u"diff") {
        return Diff();
    }
    if (command == u"rollup") {
        return Rollup();
    }
    if (command == u"--help" || command == u"-h" || command == u"help") {
        system_.Out(kUsage);
        return kToolClean;
    }
    return Usage("unknown command " + Utf8(command));
}

int Tool::Check() {
    if (arguments_.size() != 2) {
        return Usage("check takes one file");
    }
    const std::u16string& path = arguments_[1];
    const std::optional<std::string> bytes = Read(path);
    if (!bytes) {
        return kToolFailed;
    }
    const std::vector<Finding> findings = CheckCardList(*bytes);
    std::string out;
    for (const Finding& finding : findings) {
        out += Utf8(path);
        if (finding.line != 0) {
            out += ':';
            out += std::to_string(finding.line);
        }
        out += ": " + Utf8(finding.text) + "\n";
    }
    system_.Out(out);
    return findings.empty() ? kToolClean : kToolFindings;
}

int Tool::Explain() {
    std::map<std::u16string_view, std::u16string> values;
    std::map<std::u16string_view, bool> flags;
    for (size_t i = 1; i < arguments_.size(); ++i) {
        const std::u16string& argument = arguments_[i];
        const auto value = std::find(std::begin(kValueOptions), std::end(kValueOptions), argument);
        const auto flag = std::find(std::begin(kFlags), std::end(kFlags), argument);
        if (value != std::end(kValueOptions)) {
            if (i + 1 == arguments_.size()) {
                return Usage(Utf8(argument) + " needs a value");
            }
            if (!values.emplace(*value, arguments_[++i]).second) {
                return Usage(Utf8(argument) + " is given twice");
            }
        } else if (flag != std::end(kFlags)) {
            flags[*flag] = true;
        } else {
            return Usage("explain does not know " + Utf8(argument));
        }
    }
    OpenGLFacts gl;
    if (flags[u"--opengl3-switchable"]) {
        if (values.contains(u"--opengl")) {
            return Usage("--opengl and --opengl3-switchable exclude each other");
        }
        gl = {"3.0", true, ""};
    } else if (values.contains(u"--opengl")) {
        gl.version = Utf8(values[u"--opengl"]);
    }
    const std::u16string listPath =
        values.contains(u"--list") ? values[u"--list"] : system_.DefaultList();
    if (values.contains(u"--results")) {
        for (const std::u16string_view option : kAdapterOptions) {
            if (values.contains(option)) {
                return Usage("--results takes the adapter from the file: leave out " +
                             Utf8(option));
            }
        }
        const bool openGLAssumed = !values.contains(u"--opengl") && !flags[u"--opengl3-switchable"];
        return ExplainResults(values[u"--results"], listPath, gl, openGLAssumed, flags[u"--json"]);
    }
    for (const std::u16string_view required :
         {u"--caption", u"--driver-version", u"--driver-date"}) {
        if (!values.contains(required)) {
            return Usage("explain needs " + Utf8(required) + " (or --results)");
        }
    }
    AdapterFacts adapter{values[u"--caption"], values[u"--pnp"], values[u"--driver-version"],
                         values[u"--driver-date"]};
    const std::u16string& date = adapter.driverDate;
    if (date.size() != 8 || !std::all_of(date.begin(), date.end(), IsAsciiDigit)) {
        return Usage("--driver-date takes 8 digits, yyyymmdd");
    }
    // NVIDIA's short form, as its control panel shows it, stands for the
    // version Windows reports; the programs read only the latter.
    std::string note;
    const ParsedDriverVersion parsed = ParseDriverVersion(adapter.driverVersion, Dialect::Vexmira);
    const DriverVersionNumber& typed = parsed.version;
    if (HasNvidiaVersions(adapter.caption) && typed.part3 == 0 && typed.part4 == 0) {
        if (!parsed.ok || typed.part1 < 1 || typed.part1 > kMaxNvidiaRelease || typed.part2 < 0 ||
            typed.part2 > kMaxNvidiaBuild) {
            return Usage("--driver-version " + Utf8(adapter.driverVersion) +
                         " is neither NVIDIA's short form (release.build, 295.73) nor the "
                         "version Windows reports (8.17.12.9573)");
        }
        adapter.driverVersion = ReportedVersion(typed, true);
        note = "Driver " + Utf8(values[u"--driver-version"]) +
               " is NVIDIA's short form: Windows reports it as " + Utf8(adapter.driverVersion) +
               ".\n";
    }
    const std::optional<std::string> bytes = Read(listPath);
    if (!bytes) {
        return kToolFailed;
    }
    const Explanation explanation = ::Explain(ReadAsBothPrograms(*bytes), listPath, adapter, gl);
    system_.Out(flags[u"--json"] ? ExplanationJson(explanation, adapter, gl)
                                 : note + Utf8(ExplanationText(explanation, adapter, gl)));
    return kToolClean;
}

int Tool::ExplainResults(const std::u16string& resultsPath, const std::u16string& listPath,
                         const OpenGLFacts& gl, bool openGLAssumed, bool json) {
    const std::optional<std::string> file = Read(resultsPath);
    if (!file) {
        return kToolFailed;
    }
    const ResultsReading reading = ReadResultsFile(*file);
    if (!reading.results) {
        system_.Error("cardlist: " + Utf8(resultsPath) + ": " + reading.problem + "\n");
        return kToolFailed;
    }
    const ResultsFile& results = *reading.results;
    if (!results.hasGraphics) {
        system_.Error("cardlist: " + Utf8(resultsPath) +
                      ": written by an earlier QuarvelSysTest, without the graphics adapters; "
                      "type the adapter's facts instead (--caption ...)\n");
        return kToolFailed;
    }
    const std::optional<std::string> list = Read(listPath);
    if (!list) {
        return kToolFailed;
    }
    const Explanation explanation =
        ::Explain(ReadAsBothPrograms(*list), listPath, MachineOfResults(results), gl);
    if (!json) {
        system_.Out(
            Utf8(ResultsExplanationText(explanation, results, resultsPath, gl, openGLAssumed)));
        return kToolClean;
    }
    const ResultsAdapter* judged = results.Judged();
    const std::string members =
        "  \"results\": {\"file\": " + JsonString(resultsPath) +
        ", \"computerName\": " + JsonString(results.computerName) + ", \"judgedAdapter\": " +
        (results.judgedAdapter ? std::to_string(*results.judgedAdapter) : "null") +
        ", \"diagnosticExitCode\": " + std::to_string(results.diagnosticExitCode) +
        ", \"openGLAssumed\": " + (openGLAssumed ? "true" : "false") + "},\n";
    system_.Out(ExplanationJson(
        explanation, judged != nullptr ? FactsOfAdapter(*judged) : AdapterFacts{}, gl, members));
    return kToolClean;
}

int Tool::Diff() {
    std::vector<std::u16string> files;
    std::u16string pciIds = system_.DefaultPciIds();
    for (size_t i = 1; i < arguments_.size(); ++i) {
        if (arguments_[i] == u"--pci-ids") {
            if (i + 1 == arguments_.size()) {
                return Usage("--pci-ids needs a file");
            }
            pciIds = arguments_[++i];
        } else {
            files.push_back(arguments_[i]);
        }
    }
    if (files.size() != 2) {
        return Usage("diff takes two lists, the old and the new");
    }
    if (pciIds.empty()) {
        return Usage(
            "diff needs the PCI ID database: --pci-ids FILE (pci.ids, which cardlist.zip has "
            "beside cardlist.exe)");
    }
    const std::optional<std::string> before = Read(files[0]);
    const std::optional<std::string> after = Read(files[1]);
    const std::optional<std::string> database = Read(pciIds);
    if (!before || !after || !database) {
        return kToolFailed;
    }
    if (*before == *after) {
        return kToolClean;
    }
    const std::vector<VerdictChange> changes = DiffVerdicts(
        ReadAsBothPrograms(*before), ReadAsBothPrograms(*after), ReadDisplayAdapters(*database));
    if (changes.empty()) {
        return kToolClean;
    }
    system_.Out(Utf8(ChangesTable(changes)));
    return kToolFindings;
}

bool IsResultsFileName(std::u16string_view name) {
    return name.size() > 5 && ToLowerAscii(name.substr(name.size() - 5)) == u".json";
}

void Tool::ClearProgress() {
    if (progressLength_ != 0) {
        system_.Progress("\r" + std::string(progressLength_, ' ') + "\r");
        progressLength_ = 0;
    }
}

// Each file as results, or named on the standard error and skipped.
void Tool::ReadFleet(const std::vector<FolderFile>& files, Fleet& fleet) {
    for (size_t i = 0; i < files.size(); ++i) {
        if (i % kProgressStep == 0) {
            const std::string progress = "cardlist: read " + std::to_string(i) + " of " +
                                         std::to_string(files.size()) + " files";
            system_.Progress("\r" + progress);
            progressLength_ = progress.size();
        }
        const FolderFile& file = files[i];
        std::string problem;
        std::optional<std::string> bytes;
        if (file.bytes > kMaxResultsBytes) {
            problem = "too large for a results file (" + std::to_string(file.bytes) + " bytes)";
        } else if (!(bytes = system_.ReadFile(file.path))) {
            problem = "cannot be read";
        }
        ResultsReading reading;
        if (bytes) {
            reading = ReadResultsFile(*bytes);
            problem = reading.problem;
        }
        if (reading.results) {
            fleet.computers.push_back({file.name, std::move(*reading.results)});
            continue;
        }
        ClearProgress();
        system_.Error("cardlist: skipped " + Utf8(file.path) + ": " + problem + "\n");
        fleet.skipped.push_back({file.name, problem});
    }
    ClearProgress();
}

int Tool::Rollup() {
    std::vector<std::u16string> folders;
    std::map<std::u16string_view, std::u16string> values;
    for (size_t i = 1; i < arguments_.size(); ++i) {
        const std::u16string& argument = arguments_[i];
        if (argument == u"--csv" || argument == u"--html" || argument == u"--separator") {
            if (i + 1 == arguments_.size()) {
                return Usage(Utf8(argument) + " needs a value");
            }
            values[argument] = arguments_[++i];
        } else if (argument.starts_with(u"--")) {
            return Usage("rollup does not know " + Utf8(argument));
        } else {
            folders.push_back(argument);
        }
    }
    if (folders.size() != 1) {
        return Usage("rollup takes one folder");
    }
    const std::u16string separator =
        values.contains(u"--separator") ? values[u"--separator"] : u",";
    const char16_t c = separator.empty() ? u'"' : separator[0];
    if (separator.size() != 1 || c == u'"' || c == u'\r' || c == u'\n' || c > 0x7E) {
        return Usage("--separator takes one character, such as ';'");
    }
    const std::u16string& folder = folders.front();
    std::optional<std::vector<FolderFile>> files = system_.ListFolder(folder);
    if (!files) {
        system_.Error("cardlist: cannot read the folder " + Utf8(folder) + "\n");
        return kToolFailed;
    }
    std::erase_if(*files, [](const FolderFile& file) { return !IsResultsFileName(file.name); });
    if (files->empty()) {
        system_.Error("cardlist: no results file (*.json) in " + Utf8(folder) + "\n");
        return kToolFailed;
    }
    std::sort(files->begin(), files->end(),
              [](const FolderFile& a, const FolderFile& b) { return a.name < b.name; });
    Fleet fleet;
    ReadFleet(*files, fleet);
    SortFleet(fleet);
    const std::string csv = FleetCsv(fleet, static_cast<char>(separator[0]));
    if (!values.contains(u"--csv")) {
        system_.Out(csv);
    } else if (!Write(values[u"--csv"], csv)) {
        return kToolFailed;
    }
    if (values.contains(u"--html") && !Write(values[u"--html"], FleetHtml(fleet, folder))) {
        return kToolFailed;
    }
    if (fleet.skipped.empty()) {
        return kToolClean;
    }
    system_.Error("cardlist: " + std::to_string(fleet.skipped.size()) + " of " +
                  std::to_string(files->size()) + " files skipped\n");
    return kToolFindings;
}

}  // namespace

int RunCardListTool(const std::vector<std::u16string>& arguments, ToolSystem& system) {
    return Tool(arguments, system).Run();
}
