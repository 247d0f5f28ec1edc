#include "systest/engine/system_graphics_checks.h"

#include "adapters/card_list.h"
#include "adapters/win/message_box_video.h"
#include "adapters/win/video_system.h"
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
    diagnostic_ = StartProcess(start.currentDirectory + kDiagnosticProgram, kDiagnosticProgram,
                               start, *startFailure_);
}

DiagnosticRun Win32DiagnosticPlatform::WaitForDiagnosticProgram() {
    const ProcessResult result = diagnostic_.Wait();
    switch (result.end) {
        case ProcessEnd::Exited:
            return {DiagnosticEnd::Exited, static_cast<int32_t>(result.exitCode)};
        case ProcessEnd::TimedOut:
            return {DiagnosticEnd::TimedOut, 0};
        default:
            return {DiagnosticEnd::NotStarted, 0};
    }
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

SystemGraphicsChecks::SystemGraphicsChecks(const StringSource& strings, uint32_t timeLimitMs)
    : boxes_(VerboseVideoOfCommandLine()),
      platform_(timeLimitMs),
      launcher_(platform_, strings, *boxes_) {}

SystemGraphicsChecks::SystemGraphicsChecks(const StringSource& strings, VerboseVideo& verbose,
                                           StartFailureNotice& startFailure, uint32_t timeLimitMs)
    : platform_(startFailure, timeLimitMs), launcher_(platform_, strings, verbose) {}
