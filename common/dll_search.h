// How a program narrows where Windows looks for the DLLs named without a path,
// by what the running Windows offers. Where it can, the search is the system
// folder alone (SetDefaultDllDirectories). Where it cannot, the program's own
// folder stays first in the search (SetDllDirectoryW(L"") only takes the
// current folder out), so the system DLLs that Windows' own DLLs load by
// name are loaded from the system folder before anything asks for them: a
// DLL loaded once is found by its name from then on.
#pragma once

#include "common/windows_version.h"

enum class DllSearchNarrowing {
    SystemFolderOnly,          // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
    PreloadedSystemLibraries,  // SetDllDirectoryW(L"") and the preloaded system DLLs
};

// SetDefaultDllDirectories comes with Windows 8, and with update KB2533623 to
// Windows Vista and 7. On Windows Vista (6.0) CoCreateInstance of the shell's
// own objects fails once it has been called, and the programs use COM and the
// shell, so there the libraries are preloaded as where it is missing.
DllSearchNarrowing ChooseDllSearchNarrowing(bool hasSetDefaultDllDirectories,
                                            WindowsVersion version);
