#include "systest/engine/diagnostic_platform.h"

#include "adapters/card_list.h"
#include "adapters/win/video_system.h"
#include "common/win/computer_name.h"
#include "common/win/program_folder.h"
#include "common/win/wide.h"
#include "systest/engine/card_list_file.h"

namespace {

// The diagnostic shipped beside QuarvelSysTest.exe, started by its full path:
// never another folder's file of the name. Its command line is its bare name
// and nothing more, as the diagnostic reads a folder prefix from it.
constexpr char16_t kDiagnosticProgram[] = u"Vexmira.exe";
constexpr wchar_t kTimeLimitVariable[] = L"QST_DIAGNOSTIC_TIME_LIMIT_MS";
constexpr DWORD kTimeLimitUnits = 16;

LocalTime CurrentLocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
}

}  // namespace

void Win32DiagnosticPlatform::StartDiagnosticProgram() {
    ProcessStart start;
    start.newConsole = true;
    start.timeLimitMs = timeLimitMs_;
    start.currentDirectory = ProgramFolder();
    if (start.currentDirectory.empty()) {
        diagnostic_ = {};  // a file name alone would be looked for elsewhere
        return;
    }
    logStart_ = CurrentLocalTime();
    diagnostic_ = StartProcess(start.currentDirectory + kDiagnosticProgram, kDiagnosticProgram,
                               start, *startFailure_);
}

DiagnosticRun Win32DiagnosticPlatform::WaitForDiagnosticProgram() {
    const ProcessResult result = diagnostic_.Wait();
    switch (result.end) {
        case ProcessEnd::Exited:
            return {DiagnosticEnd::Exited, static_cast<int32_t>(result.exitCode), WrittenLog()};
        case ProcessEnd::TimedOut:
            return {DiagnosticEnd::TimedOut, 0, WrittenLog()};
        default:
            return {DiagnosticEnd::NotStarted, 0, {}};
    }
}

std::u16string Win32DiagnosticPlatform::WrittenLog() const {
    // The diagnostic names its log by the minute it started in, which may be
    // the one of its start or a later one when the minute turned meanwhile.
    const std::u16string folder = ProgramFolder();
    const std::u16string computer = ReadComputerName();
    for (const LocalTime& time : {logStart_, CurrentLocalTime()}) {
        const std::u16string name = LogFileName(computer, time);
        if (!folder.empty() &&
            GetFileAttributesW(WideCStr(folder + name)) != INVALID_FILE_ATTRIBUTES) {
            return name;
        }
    }
    return {};
}

int Win32DiagnosticPlatform::QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter,
                                                      VerboseVideo& verbose) {
    Win32VideoSystem system;
    return ::QueryPrimaryVideoAdapter(adapter, system.Sources(), verbose);
}

std::unique_ptr<CardListLines> Win32DiagnosticPlatform::OpenCardList() {
    return OpenCardListFile(ProgramFolder() + std::u16string(kCardListFileName));
}

uint32_t DiagnosticTimeLimitOfEnvironment() {
    wchar_t text[kTimeLimitUnits] = {};
    const DWORD length = GetEnvironmentVariableW(kTimeLimitVariable, text, kTimeLimitUnits);
    if (length == 0 || length >= kTimeLimitUnits) {
        return kDiagnosticTimeLimitMs;
    }
    return ShorterTimeLimit(FromWide(text), kDiagnosticTimeLimitMs);
}
