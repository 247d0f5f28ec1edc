#include "systest/engine/report_command.h"

#include "common/win/system_error.h"
#include "common/win/wide.h"
#include "systest/engine/report_file.h"
#include "systest/engine/text_file.h"

#include <shellapi.h>

namespace {

// GetTempPathW is given a buffer of this size; a longer path is not used.
constexpr DWORD kTempPathUnits = 260;

}  // namespace

void ShellReportPresenter::OpenReport(HWND owner, const std::u16string& path) {
    // The shell reports its own failures to the user; there is nothing to add.
    ShellExecuteW(owner, L"open", WideCStr(path), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShellReportPresenter::ShowFailure(HWND owner, const std::u16string& message) {
    MessageBoxW(owner, WideCStr(message), kReportFailureCaption, MB_OK | MB_ICONERROR);
}

ReportWriteResult WriteReportFile(const std::u16string& path, std::u16string_view text) {
    TextFileWriter writer(path, TextEncoding::Utf8);
    if (!writer.IsOpen()) {
        // Still CreateFileW's error: the writer makes no other call when it fails.
        return {false, GetLastError()};
    }
    try {
        writer.Write(text);
        writer.Close();
    } catch (const CTextFileException& failure) {
        return {false, failure.error};
    }
    return {true, ERROR_SUCCESS};
}

std::optional<std::u16string> TemporaryReportPath() {
    wchar_t tempDirectory[kTempPathUnits];
    const DWORD length = GetTempPathW(kTempPathUnits, tempDirectory);
    if (length == 0 || length >= kTempPathUnits) {
        return std::nullopt;
    }
    return ReportFilePath(FromWide(std::wstring_view(tempDirectory, length)));
}

void RunReportCommand(HWND owner, std::u16string_view reportText, ReportPresenter& presenter) {
    const std::optional<std::u16string> reportPath = TemporaryReportPath();
    if (!reportPath) {
        return;
    }
    const std::u16string& path = *reportPath;
    const ReportWriteResult result = WriteReportFile(path, reportText);
    if (!result.written) {
        presenter.ShowFailure(owner, ReportFailureMessage(path, SystemErrorText(result.error)));
        return;
    }
    presenter.OpenReport(owner, path);
}

void RunReportCommand(HWND owner, std::u16string_view reportText) {
    ShellReportPresenter presenter;
    RunReportCommand(owner, reportText, presenter);
}
