// How the programs load DLLs. Users run them from a download folder, where any
// web page can leave a file. Windows looks for a DLL that is not one of its
// KnownDLLs in the program's folder first and, for a name without a path, in
// the current folder too: a DLL of the right name there would run its code in
// our process. So the programs link statically only DLLs that Windows always
// takes from its own folder (tools/allowed-imports.txt), narrow the search
// before anything else (on Windows versions that cannot take the program's
// folder out of it, by loading ahead the system DLLs that Windows' own DLLs
// load by name), load every other system DLL by its full path and read their
// own language libraries as data, never running their code.
#pragma once

#include "common/dll_search.h"
#include "common/win/handles.h"
#include "common/win/windows_version.h"

#include <windows.h>

#include <string>
#include <vector>

using LoadLibraryExFunction = WinApiFunction<HMODULE(LPCWSTR, HANDLE, DWORD)>;

// The system folder with its closing backslash (for a 32-bit program on 64-bit
// Windows the 32-bit one, where WOW64 takes it); empty when it cannot be read.
inline std::wstring SystemFolder() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::wstring folder(path, length);
    if (folder.back() != L'\\') {
        folder += L'\\';
    }
    return folder;
}

// A DLL of Windows by its full path in the system folder, never a file of the
// name anywhere else; the DLLs it imports are looked for in the system folder
// first too (LOAD_WITH_ALTERED_SEARCH_PATH: without it, Windows XP to 7 look
// for them in the program's folder first). Null when it cannot be loaded.
// loadLibraryEx is the system's LoadLibraryExW unless a test records the call.
inline UniqueLibrary LoadSystemLibrary(const wchar_t* fileName,
                                       LoadLibraryExFunction loadLibraryEx = LoadLibraryExW) {
    const std::wstring folder = SystemFolder();
    if (folder.empty()) {
        return UniqueLibrary();
    }
    return UniqueLibrary(
        loadLibraryEx((folder + fileName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

// The DLLs of Windows that are no KnownDLLs and that Windows' own DLLs load by
// name, so that on a Windows whose search starts in the program's folder a
// file of the name there would run its code in ours: uxtheme (the first
// window or COM apartment), dwmapi (uxtheme's, from Windows Vista on),
// cryptbase (rpcrt4's UuidCreate on Windows 7, on the way to WMI), clbcatq
// (the COM catalogue of Windows XP: every CoCreateInstance), and ntmarta,
// setupapi, apphelp, propsys, userenv, oleacc and version. Not every Windows
// has each of them.
inline constexpr const wchar_t* kSystemLibrariesLoadedByName[] = {
    L"uxtheme.dll", L"dwmapi.dll",   L"cryptbase.dll", L"clbcatq.dll",
    L"ntmarta.dll", L"setupapi.dll", L"apphelp.dll",   L"propsys.dll",
    L"userenv.dll", L"oleacc.dll",   L"version.dll",
};

// The system DLLs loaded ahead of need, which stay loaded for as long as the
// program holds them.
using PreloadedLibraries = std::vector<UniqueLibrary>;

// SetDefaultDllDirectories: Windows 8 and later, and Windows Vista and 7 with
// update KB2533623.
using SetDefaultDllDirectoriesFunction = WinApiFunction<BOOL(DWORD)>;

// Narrows where the process looks for a DLL named without a path
// (common/dll_search.h): to the system folder alone where the system has
// setDefaultDllDirectories and it may be used; else the current folder leaves
// the search (SetDllDirectoryW(L""), Windows XP SP1 and later) and each of
// kSystemLibrariesLoadedByName that the system has is loaded from the system
// folder. loadLibraryEx as for LoadSystemLibrary.
[[nodiscard]] inline PreloadedLibraries RestrictDllSearch(
    SetDefaultDllDirectoriesFunction setDefaultDllDirectories, WindowsVersion version,
    LoadLibraryExFunction loadLibraryEx = LoadLibraryExW) {
    if (ChooseDllSearchNarrowing(setDefaultDllDirectories != nullptr, version) ==
            DllSearchNarrowing::SystemFolderOnly &&
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        return {};
    }
    SetDllDirectoryW(L"");
    PreloadedLibraries libraries;
    for (const wchar_t* name : kSystemLibrariesLoadedByName) {
        UniqueLibrary library = LoadSystemLibrary(name, loadLibraryEx);
        if (library) {
            libraries.push_back(std::move(library));
        }
    }
    return libraries;
}

// The system's SetDefaultDllDirectories, null where it has none. The test
// build (never the release) plays a Windows without it when the environment
// holds QST_TEST_WITHOUT_SET_DEFAULT_DLL_DIRECTORIES, so that its tests take
// the older Windows' path under Wine, which has the function.
inline SetDefaultDllDirectoriesFunction SystemSetDefaultDllDirectories() {
#ifdef QST_TEST_BUILD
    if (GetEnvironmentVariableW(L"QST_TEST_WITHOUT_SET_DEFAULT_DLL_DIRECTORIES", nullptr, 0) != 0) {
        return nullptr;
    }
#endif
    return ResolveFunction<BOOL(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
}

// The programs call this first thing, before COM, before any window and before
// any DLL is loaded at run time, and keep what it returns until they end.
[[nodiscard]] inline PreloadedLibraries RestrictDllSearchToSystemFolder() {
    return RestrictDllSearch(SystemSetDefaultDllDirectories(), RunningWindowsVersion());
}

// A library opened as data from its full path: its resources can be read
// (LoadStringW, FindResourceW), none of its code runs and nothing it imports
// is loaded. Mapped as an image where the system knows how
// (LOAD_LIBRARY_AS_IMAGE_RESOURCE, Windows Vista and later), as a plain data
// file on Windows XP, which refuses that flag. loadLibraryEx is the system's
// LoadLibraryExW unless a test models another Windows with its own.
inline UniqueLibrary LoadDataLibrary(const std::wstring& fullPath,
                                     LoadLibraryExFunction loadLibraryEx = LoadLibraryExW) {
    UniqueLibrary library(loadLibraryEx(fullPath.c_str(), nullptr,
                                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!library) {
        // Windows XP fails the call with ERROR_INVALID_PARAMETER; a file that is
        // no library fails this way as well.
        library.reset(loadLibraryEx(fullPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    }
    return library;
}
