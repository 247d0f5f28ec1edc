// The report command of the main dialog's report button: writes the report
// text to "QuarvelSysTest.txt" in the temporary directory, UTF-8 with a byte
// order mark, and opens it with the program registered for text files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// What the command shows the user. The program uses ShellReportPresenter; the
// tests record the calls instead.
class ReportPresenter {
  public:
    virtual ~ReportPresenter() = default;
    virtual void OpenReport(HWND owner, const std::u16string& path) = 0;
    virtual void ShowFailure(HWND owner, const std::u16string& message) = 0;
};

// ShellExecuteW "open", and a message box.
class ShellReportPresenter final : public ReportPresenter {
  public:
    void OpenReport(HWND owner, const std::u16string& path) override;
    void ShowFailure(HWND owner, const std::u16string& message) override;
};

// The caption of the failure message box.
inline constexpr wchar_t kReportFailureCaption[] = L"QuarvelSysTest";

struct ReportWriteResult {
    bool written = false;
    DWORD error = ERROR_SUCCESS;  // the system error when not written
};

// Creates or replaces the file and writes the text. Nothing is raised: a file
// that cannot be created or a failed write comes back as the system error.
ReportWriteResult WriteReportFile(const std::u16string& path, std::u16string_view text);

// "QuarvelSysTest.txt" in the temporary directory; none when the system gives
// no temporary directory that fits its buffer.
std::optional<std::u16string> TemporaryReportPath();

// Writes the report and opens it. When the file cannot be created or written,
// nothing is opened, so no report of an earlier run is shown as this one's;
// the user is told the file and the system's reason instead. Without a
// temporary directory the command does nothing.
void RunReportCommand(HWND owner, std::u16string_view reportText, ReportPresenter& presenter);
void RunReportCommand(HWND owner, std::u16string_view reportText);
