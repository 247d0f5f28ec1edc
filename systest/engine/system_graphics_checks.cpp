#include "systest/engine/system_graphics_checks.h"

#include "adapters/card_list.h"
#include "adapters/win/message_box_video.h"
#include "adapters/win/video_system.h"
#include "systest/engine/card_list_file.h"

namespace {

// The diagnostic is started by name: the folder of QuarvelSysTest.exe is
// searched first, so the copy shipped beside it runs.
constexpr char16_t kDiagnosticCommandLine[] = u"Vexmira.exe";

}  // namespace

int32_t Win32DiagnosticPlatform::RunDiagnosticProgram() {
    return RunProcess(true, kDiagnosticCommandLine, false, true, *startFailure_);
}

int Win32DiagnosticPlatform::QueryPrimaryVideoAdapter(PrimaryVideoAdapter& adapter,
                                                      VerboseVideo& verbose) {
    Win32VideoSystem system;
    return ::QueryPrimaryVideoAdapter(adapter, system.Sources(), verbose);
}

std::unique_ptr<CardListLines> Win32DiagnosticPlatform::OpenCardList() {
    return OpenCardListFile(std::u16string(kCardListFileName));
}

SystemGraphicsChecks::SystemGraphicsChecks(const StringSource& strings)
    : boxes_(VerboseVideoOfCommandLine()), launcher_(platform_, strings, *boxes_) {}

SystemGraphicsChecks::SystemGraphicsChecks(const StringSource& strings, VerboseVideo& verbose,
                                           StartFailureNotice& startFailure)
    : platform_(startFailure), launcher_(platform_, strings, verbose) {}
