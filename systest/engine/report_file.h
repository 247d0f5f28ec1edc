// The report: its text, made from the record of a run, the file it goes to and
// what the user is told when that cannot be written. The writing and opening
// are the Windows layer's (report_command.h).
#pragma once

#include "systest/engine/check_sequence.h"

#include <string>
#include <string_view>
#include <vector>

// The report's lines of the verdicts, each status word before its report
// text, then the summary's line, without line breaks: the lines that the
// unattended run's output repeats.
std::vector<std::u16string> VerdictLines(const CheckRun& run);

// The report: the meta line, the verdict lines, then the adapters Windows
// reported, for the people who help. Every line ends with "\r\n".
std::u16string FormatReport(const CheckRun& run);

// In the user's temporary directory, replaced on every write.
inline constexpr std::u16string_view kReportFileName = u"QuarvelSysTest.txt";

// The temporary directory as GetTempPathW gives it ends with a backslash.
std::u16string ReportFilePath(std::u16string_view tempDirectory);

// The text of the message box when the report cannot be written. The language
// libraries hold no string for it, so it is fixed English; reason is the
// system's own message in the user's language.
std::u16string ReportFailureMessage(std::u16string_view path, std::u16string_view reason);
