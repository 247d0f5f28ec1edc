#include "common/dll_search.h"

DllSearchNarrowing ChooseDllSearchNarrowing(bool hasSetDefaultDllDirectories,
                                            WindowsVersion version) {
    const bool vista = version.major == 6 && version.minor == 0;
    return hasSetDefaultDllDirectories && !vista ? DllSearchNarrowing::SystemFolderOnly
                                                 : DllSearchNarrowing::PreloadedSystemLibraries;
}
