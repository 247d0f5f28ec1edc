#include "systest/engine/report_file.h"

#include "common/text.h"

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";

std::u16string Number(uint64_t number) {
    return Utf16FromAscii(std::to_string(number));
}

// The report's list of the adapters Windows reported, for the people who
// help: a heading in the user's language, then each adapter's facts.
void AppendAdapterFacts(std::u16string& report, const CheckRun& run) {
    const GraphicsFacts& facts = run.graphics;
    if (facts.adapters.empty()) {
        return;
    }
    report += run.adaptersHeading;
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

std::vector<std::u16string> VerdictLines(const CheckRun& run) {
    std::vector<std::u16string> lines;
    for (const CheckVerdict& verdict : run.verdicts) {
        // No separator: the status word carries its own.
        lines.push_back(verdict.status + verdict.reportText);
    }
    lines.push_back(run.summary.status + run.summary.text);
    return lines;
}

std::u16string FormatReport(const CheckRun& run) {
    std::u16string report = run.metaLine + std::u16string(kLineBreak);
    for (const std::u16string& line : VerdictLines(run)) {
        report += line + std::u16string(kLineBreak);
    }
    AppendAdapterFacts(report, run);
    return report;
}

std::u16string ReportFilePath(std::u16string_view tempDirectory) {
    std::u16string path(tempDirectory);
    path += kReportFileName;
    return path;
}

std::u16string ReportFailureMessage(std::u16string_view path, std::u16string_view reason) {
    std::u16string message = u"The report could not be written to\n";
    message += path;
    message += u"\n\n";
    message += reason;
    return message;
}
