// The planting test's stand-in for a program of ours where Wine's own DLLs
// differ from Windows': it imports neither user32.dll (Wine's imports
// version.dll) nor comctl32.dll (Wine's loads uxtheme.dll as it starts), where
// a planted one would run before main; it narrows the DLL search as the
// programs do, and then loads comctl32.dll (version 6, as its manifest says),
// and with it user32.dll, as a
// program's first window brings in system DLLs that load others by name.
// With "--search-only" it only empties the DLL directory, as the programs
// once did.
#include "common/win/library_loading.h"

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    PreloadedLibraries preloaded;
    if (argc > 1 && lstrcmpW(argv[1], L"--search-only") == 0) {
        SetDllDirectoryW(L"");
    } else {
        preloaded = RestrictDllSearchToSystemFolder();
    }
    return LoadLibraryW(L"comctl32.dll") != nullptr ? 0 : 1;
}
