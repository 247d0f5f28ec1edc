// The report file: where it goes and what the user is told when it cannot be
// written. The writing and opening are the Windows layer's (report_command.h).
#pragma once

#include <string>
#include <string_view>

// In the user's temporary directory, replaced on every write.
inline constexpr std::u16string_view kReportFileName = u"QuarvelSysTest.txt";

// The temporary directory as GetTempPathW gives it ends with a backslash.
std::u16string ReportFilePath(std::u16string_view tempDirectory);

// The text of the message box when the report cannot be written. The language
// libraries hold no string for it, so it is fixed English; reason is the
// system's own message in the user's language.
std::u16string ReportFailureMessage(std::u16string_view path, std::u16string_view reason);
