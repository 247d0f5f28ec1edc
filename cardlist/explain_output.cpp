// The explanation as text for people and as JSON for scripts.
#include "cardlist/explain.h"

#include "adapters/driver_version.h"
#include "cardlist/results_file.h"
#include "common/text.h"
#include "systest/engine/results_json.h"

namespace {

std::u16string Number(int64_t number) {
    return Utf16FromAscii(std::to_string(number));
}

std::u16string ExitCodeMeaning(int exitCode) {
    switch (exitCode) {
        case -1:
            return u"not started";
        case 1:
            return u"a remote session: nothing tested";
        case 2:
            return u"supported, the driver is older than the list's";
        case 3:
            return u"supported";
        case 4:
            return u"supported: switchable graphics with OpenGL 3 or later";
        default:
            return u"not supported";
    }
}

std::u16string VexmiraDecision(const VexmiraVerdict& vexmira) {
    if (vexmira.switchableGraphics) {
        return u"the list is not read on switchable graphics with OpenGL 3 or later";
    }
    if (!vexmira.listSearched) {
        return u"the adapter test ended the run";
    }
    if (vexmira.decidingLine != 0) {
        return u"decided by line " + Number(vexmira.decidingLine) + u": " + vexmira.decidingText;
    }
    return vexmira.fullCheck ? u"no line ended the search"
                             : u"no line ended the search: with OpenGL 3 or later a card no line "
                               u"decides passes, unless a \"CD\" line found its driver older";
}

std::u16string YesNo(bool value) {
    return value ? u"yes" : u"no";
}

// Each of the log's lines, indented, with the list line it came from.
void AppendLog(std::u16string& text, const std::vector<LogLine>& log) {
    for (const LogLine& entry : log) {
        std::u16string_view rest = entry.text;
        while (!rest.empty()) {
            const size_t end = rest.find(u'\n');
            const std::u16string_view line = rest.substr(0, end);
            text += u"  ";
            if (entry.listLine != 0 && !line.empty()) {
                text += u"[line " + Number(entry.listLine) + u"] ";
            }
            text += line;
            text += u'\n';
            rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        }
    }
}

std::string JsonLine(int line) {
    return line == 0 ? "null" : std::to_string(line);
}

const char* JsonBool(bool value) {
    return value ? "true" : "false";
}

// "[\n" + the items, each on its own lines, + "]" at the given indentation.
std::string JsonArray(const std::vector<std::string>& items, const std::string& indent) {
    if (items.empty()) {
        return "[]";
    }
    std::string json = "[\n";
    for (size_t i = 0; i < items.size(); ++i) {
        json += indent + "  " + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
    }
    return json + indent + "]";
}

// The adapter and the OpenGL the explanation is for.
std::u16string AdapterText(const AdapterFacts& adapter, const OpenGLFacts& gl) {
    return u"Adapter:  " + adapter.caption + u"\nPNP id:   " +
           (adapter.pnpDeviceId.empty() ? u"(none)" : adapter.pnpDeviceId) + u"\nDriver:   " +
           adapter.driverVersion + u" of " + adapter.driverDate + u"\nOpenGL:   " +
           Utf16FromAscii(gl.version) +
           (gl.anotherVendor ? u", from another vendor than the adapter's"
                             : u", the adapter's own") +
           u"\n\n";
}

// What each program did: Vexmira's log and exit code, QuarvelSysTest's scan
// and rows.
std::u16string ProgramsText(const Explanation& explanation) {
    const VexmiraVerdict& vexmira = explanation.vexmira;
    const QuarvelSysTestVerdict& sysTest = explanation.quarvelSysTest;
    std::u16string text =
        u"Vexmira.exe, as its log shows it ([line N]: the list line it was reading):\n";
    AppendLog(text, vexmira.log);
    text += u"Exit code " + Number(vexmira.exitCode) + u" (" + ExitCodeMeaning(vexmira.exitCode) +
            u"), if its OpenGL capability and shader tests pass;\n  " + VexmiraDecision(vexmira) +
            u"\n\nQuarvelSysTest.exe, scanning the list for driver " +
            DriverVersionText(sysTest.adapterVersion) + u" of " + Number(sysTest.adapterDate) +
            u" (the last line that matches counts; a \"CD\" line with a current driver ends "
            u"the scan):\n";
    for (const ScanMatch& match : sysTest.matches) {
        text += u"  [line " + Number(match.line.number) + u"] " + match.line.text +
                u"\n      version at least the line's: " + YesNo(match.comparison.versionOk) +
                u", date current: " + YesNo(match.dateCurrent) + u'\n';
    }
    text += sysTest.matched ? u"  It remembers line " + Number(sysTest.decidingLine) +
                                  u", entry code \"" + sysTest.entryCode + u"\".\n"
                            : u"  No line matches: it remembers nothing.\n";
    text += u"Its rows for exit code " + Number(vexmira.exitCode) + u":\n";
    if (sysTest.rows.empty()) {
        text += u"  none\n";
    }
    for (const RowVerdict& row : sysTest.rows) {
        text += u"  " + Utf16FromAscii(row.key) + u": " + row.status + u" (level " +
                Number(static_cast<int>(row.level)) + u"), message " + Number(row.message) + u": " +
                row.text + u'\n';
        if (row.reportMessage != row.message) {
            text += u"    in the report, message " + Number(row.reportMessage) + u": " +
                    row.reportText + u'\n';
        }
    }
    return text;
}

// An adapter of a results file on one line.
std::u16string ResultsAdapterText(const ResultsAdapter& adapter) {
    std::u16string text = (adapter.caption.empty() ? u"(no caption)" : adapter.caption) + u", " +
                          (adapter.pnpDeviceId.empty() ? u"no PNP id" : adapter.pnpDeviceId) +
                          u", driver " + adapter.driverVersion.value_or(u"(none)");
    if (adapter.registryDriverVersion && adapter.registryDriverVersion != adapter.driverVersion) {
        text += u" (the registry's " + *adapter.registryDriverVersion + u")";
    }
    text += adapter.driverDate ? u" of " + adapter.driverDate->substr(0, 8) : u", no date";
    text += !adapter.drivesScreen ? u", drives no screen"
            : adapter.primary     ? u", drives the primary screen"
                                  : u", drives a screen";
    return text + (adapter.rendersOpenGL ? u"" : u", renders no OpenGL");
}

}  // namespace

std::u16string ExplanationText(const Explanation& explanation, const AdapterFacts& adapter,
                               const OpenGLFacts& gl) {
    return AdapterText(adapter, gl) + ProgramsText(explanation);
}

std::u16string ResultsExplanationText(const Explanation& explanation, const ResultsFile& results,
                                      std::u16string_view file, const OpenGLFacts& gl,
                                      bool openGLAssumed) {
    std::u16string text = u"Results:  " + std::u16string(file) + u", computer " +
                          (results.computerName.empty() ? u"(no name)" : results.computerName) +
                          u", tested " + results.tested + u"\nWindows reported " +
                          Number(static_cast<int64_t>(results.adapters.size())) +
                          (results.adapters.size() == 1 ? u" adapter" : u" adapters") +
                          u"; * the one the checks judged:\n";
    for (size_t i = 0; i < results.adapters.size(); ++i) {
        text += (results.judgedAdapter == i ? u"  * " : u"    ") + Number(static_cast<int64_t>(i)) +
                u"  " + ResultsAdapterText(results.adapters[i]) + u'\n';
    }
    const std::u16string version = Utf16FromAscii(gl.version);
    if (openGLAssumed) {
        text += u"The results do not hold the OpenGL version" +
                (results.diagnosticLog.empty() ? std::u16string()
                                               : u"; Vexmira's log " + results.diagnosticLog +
                                                     u" has it in its line \"Version :\"") +
                u". Assumed: " + version + u" (give it with --opengl).\n";
    }
    text += u'\n';
    const ResultsAdapter* judged = results.Judged();
    text += judged != nullptr ? AdapterText(FactsOfAdapter(*judged), gl)
                              : u"Adapter:  none judged\nOpenGL:   " + version + u"\n\n";
    text += ProgramsText(explanation);
    const int recorded = results.diagnosticExitCode;
    if (recorded != explanation.vexmira.exitCode) {
        text += u"\nThe results record Vexmira's exit code " + Number(recorded) + u" (" +
                ExitCodeMeaning(recorded) + u"); this list with OpenGL " + version +
                (openGLAssumed ? u" (assumed)" : u"") + u" gives " +
                Number(explanation.vexmira.exitCode) + u".\n";
    }
    return text;
}

std::string ExplanationJson(const Explanation& explanation, const AdapterFacts& adapter,
                            const OpenGLFacts& gl, std::string_view results) {
    const VexmiraVerdict& vexmira = explanation.vexmira;
    const QuarvelSysTestVerdict& sysTest = explanation.quarvelSysTest;
    std::vector<std::string> log;
    for (const LogLine& line : vexmira.log) {
        log.push_back("{\"line\": " + JsonLine(line.listLine) +
                      ", \"text\": " + JsonString(line.text) + "}");
    }
    std::vector<std::string> matches;
    for (const ScanMatch& match : sysTest.matches) {
        matches.push_back("{\"line\": " + std::to_string(match.line.number) +
                          ", \"text\": " + JsonString(match.line.text) +
                          ", \"versionOk\": " + JsonBool(match.comparison.versionOk) +
                          ", \"dateCurrent\": " + JsonBool(match.dateCurrent) + "}");
    }
    std::vector<std::string> rows;
    for (const RowVerdict& row : sysTest.rows) {
        rows.push_back("{\"key\": \"" + row.key +
                       "\", \"level\": " + std::to_string(static_cast<int>(row.level)) +
                       ", \"status\": " + JsonString(row.status) + ", \"message\": " +
                       std::to_string(row.message) + ", \"text\": " + JsonString(row.text) +
                       ", \"reportMessage\": " + std::to_string(row.reportMessage) +
                       ", \"reportText\": " + JsonString(row.reportText) + "}");
    }
    const char* check = !vexmira.listSearched ? "none"
                        : vexmira.fullCheck   ? "full"
                                              : "namedCardsOnly";
    return "{\n" + std::string(results) +
           "  \"adapter\": {\"caption\": " + JsonString(adapter.caption) +
           ", \"pnpDeviceId\": " + JsonString(adapter.pnpDeviceId) +
           ", \"driverVersion\": " + JsonString(adapter.driverVersion) +
           ", \"driverDate\": " + JsonString(adapter.driverDate) +
           "},\n"
           "  \"openGL\": {\"version\": " +
           JsonString(Utf16FromAscii(gl.version)) +
           ", \"anotherVendor\": " + JsonBool(gl.anotherVendor) +
           "},\n"
           "  \"vexmira\": {\n"
           "    \"check\": \"" +
           check + "\",\n    \"switchableGraphics\": " + JsonBool(vexmira.switchableGraphics) +
           ",\n    \"log\": " + JsonArray(log, "    ") +
           ",\n    \"decidingLine\": " + JsonLine(vexmira.decidingLine) +
           ",\n    \"exitCode\": " + std::to_string(vexmira.exitCode) +
           "\n  },\n"
           "  \"quarvelSysTest\": {\n"
           "    \"adapterVersion\": " +
           JsonString(DriverVersionText(sysTest.adapterVersion)) +
           ",\n    \"adapterDate\": " + std::to_string(sysTest.adapterDate) +
           ",\n    \"matches\": " + JsonArray(matches, "    ") +
           ",\n    \"decidingLine\": " + JsonLine(sysTest.matched ? sysTest.decidingLine : 0) +
           ",\n    \"entryCode\": " +
           (sysTest.matched ? JsonString(sysTest.entryCode) : std::string("null")) +
           ",\n    \"rows\": " + JsonArray(rows, "    ") + "\n  }\n}\n";
}
