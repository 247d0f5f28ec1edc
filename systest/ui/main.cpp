// Entry point of QuarvelSysTest.exe. The exe also exports GetOSDisplayString
// (systest/engine/os_display_string.h) for programs that load it.
#include "common/win/com.h"
#include "common/win/error_mode.h"
#include "common/win/library_loading.h"
#include "systest/ui/startup.h"

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // Before COM, before any window and before any DLL is loaded at run time:
    // none from the current folder or the program's.
    const PreloadedLibraries systemLibraries = RestrictDllSearchToSystemFolder();
    // A drive without a medium fails the file call instead of asking for a
    // disk, as Microsoft advises every program to do.
    const AddedErrorMode noDiskBoxes(SEM_FAILCRITICALERRORS);
    // The adapter query of the checks uses COM on this thread.
    const ComInitialization com(COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    return RunQuarvelSysTest(instance, showCommand);
}
