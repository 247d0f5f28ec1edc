// Entry point of QuarvelSysTest.exe. The program's start-up (language library,
// agreement page, main dialog) is not built yet; until it is, the program ends
// at once. What the exe already provides is its export, GetOSDisplayString
// (systest/engine/os_display_string.h), for programs that load it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
