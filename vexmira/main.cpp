// Vexmira.exe: the windowless OpenGL diagnostic. Its exit code is the verdict
// that the system test program reads; its log is what support staff read.
#include "common/win/library_loading.h"
#include "common/win/wide.h"
#include "vexmira/diagnostic_flow.h"
#include "vexmira/windows_environment.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // Before the WMI query, before the window and before any DLL is loaded at
    // run time: none from the current folder or the program's.
    const PreloadedLibraries systemLibraries = RestrictDllSearchToSystemFolder();
    // The process has no window: a crash in a graphics driver must end it with
    // the exception code as its exit code, not leave an error box that no one
    // sees while QuarvelSysTest waits. No box for a missing disk either.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    WindowsEnvironment environment(instance);
    return RunDiagnosticFlow(FromWide(commandLine != nullptr ? commandLine : L""), environment);
}
