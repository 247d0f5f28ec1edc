#include "cardlist/command.h"

#include "cardlist/check.h"
#include "cardlist/diff.h"
#include "cardlist/explain.h"
#include "common/text.h"

#include <algorithm>
#include <map>

namespace {

constexpr char kUsage[] =
    "usage: cardlist check FILE\n"
    "       cardlist explain --list FILE --caption TEXT [--pnp ID] --driver-version V\n"
    "                        --driver-date YYYYMMDD [--opengl VERSION | --opengl3-switchable]\n"
    "                        [--json]\n"
    "       cardlist diff OLD NEW [--pci-ids FILE]\n"
    "\n"
    "check    reports the lines of a graphics card list that either program rejects or\n"
    "         reads differently, codes and NVIDIA versions that do not count as written,\n"
    "         and entries that never decide because of their place.\n"
    "explain  shows what Vexmira.exe and QuarvelSysTest.exe decide for an adapter:\n"
    "         Vexmira's list search with the lines it read and its exit code, and the\n"
    "         graphics rows of QuarvelSysTest. V is the driver version as Windows\n"
    "         reports it (8.17.12.9573). With OpenGL below 3 (the default 2.1) the list\n"
    "         must name the card; from 3 on a card it does not name passes;\n"
    "         --opengl3-switchable is OpenGL 3 or later from another vendor than the\n"
    "         adapter Windows shows.\n"
    "diff     lists the display adapters of the PCI ID database whose verdict changes\n"
    "         from OLD to NEW; nothing when none does.\n"
    "\n"
    "Exit codes: 0 clean, 1 findings or changes, 2 usage or file error.\n";

// The options of explain that take a value, and those that do not.
const std::u16string_view kValueOptions[] = {u"--list",           u"--caption",     u"--pnp",
                                             u"--driver-version", u"--driver-date", u"--opengl"};
const std::u16string_view kFlags[] = {u"--opengl3-switchable", u"--json"};

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
    int Diff();

    int Usage(const std::string& problem);
    std::optional<std::string> Read(const std::u16string& path);

    const std::vector<std::u16string>& arguments_;
    ToolSystem& system_;
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
    for (const std::u16string_view required :
         {u"--list", u"--caption", u"--driver-version", u"--driver-date"}) {
        if (!values.contains(required)) {
            return Usage("explain needs " + Utf8(required));
        }
    }
    AdapterFacts adapter{values[u"--caption"], values[u"--pnp"], values[u"--driver-version"],
                         values[u"--driver-date"]};
    const std::u16string& date = adapter.driverDate;
    if (date.size() != 8 || !std::all_of(date.begin(), date.end(), IsAsciiDigit)) {
        return Usage("--driver-date takes 8 digits, yyyymmdd");
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
    const std::u16string& listPath = values[u"--list"];
    const std::optional<std::string> bytes = Read(listPath);
    if (!bytes) {
        return kToolFailed;
    }
    const Explanation explanation = ::Explain(ReadAsBothPrograms(*bytes), listPath, adapter, gl);
    system_.Out(flags[u"--json"] ? ExplanationJson(explanation, adapter, gl)
                                 : Utf8(ExplanationText(explanation, adapter, gl)));
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
        return Usage("diff needs the PCI ID database: --pci-ids FILE (pci.ids)");
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

}  // namespace

int RunCardListTool(const std::vector<std::u16string>& arguments, ToolSystem& system) {
    return Tool(arguments, system).Run();
}
