// The planting test's stand-in for a program of ours where Wine's own DLLs
// differ from Windows': it imports no user32.dll (Wine's imports version.dll,
// so a planted one would run before main), narrows the DLL search as the
// programs do, and then loads user32.dll, as a program's first window brings
// in system DLLs that load others by name. With "--search-only" it only
// empties the DLL directory, as the programs once did.
#include "common/win/library_loading.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    PreloadedLibraries preloaded;
    if (argc > 1 && lstrcmpW(argv[1], L"--search-only") == 0) {
        SetDllDirectoryW(L"");
    } else {
        preloaded = RestrictDllSearchToSystemFolder();
    }
    return LoadLibraryW(L"user32.dll") != nullptr ? 0 : 1;
}
