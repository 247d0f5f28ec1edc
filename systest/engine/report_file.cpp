#include "systest/engine/report_file.h"

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
