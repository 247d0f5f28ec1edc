// Vexmira.exe: the windowless OpenGL diagnostic. Its exit code is the verdict
// that the system test program reads; its log is what support staff read.
#include "common/win/wide.h"
#include "vexmira/diagnostic_flow.h"
#include "vexmira/windows_environment.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WindowsEnvironment environment(instance);
    return RunDiagnosticFlow(FromWide(commandLine != nullptr ? commandLine : L""), environment);
}
