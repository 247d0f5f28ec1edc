// How the programs load DLLs. Users run them from a download folder, where any
// web page can leave a file. Windows looks for a DLL that is not one of its
// KnownDLLs in the program's folder first and, for a name without a path, in
// the current folder too: a DLL of the right name there would run its code in
// our process. So the programs link statically only DLLs that Windows always
// takes from its own folder (tools/allowed-imports.txt), narrow the search
// before anything else, load every other system DLL by its full path and read
// their own language libraries as data, never running their code.
#pragma once

#include "common/win/handles.h"

#include <windows.h>

#include <string>

// SetDefaultDllDirectories: Windows 8 and later, and Windows Vista and 7 with
// update KB2533623.
using SetDefaultDllDirectoriesFunction = WinApiFunction<BOOL(DWORD)>;

// Narrows where the process looks for a DLL named without a path: to the
// system folder alone where the system has setDefaultDllDirectories; else
// (Windows XP, Vista and 7 without the update) the current folder at least
// leaves the search (SetDllDirectoryW(L""), Windows XP SP1 and later).
inline void RestrictDllSearch(SetDefaultDllDirectoriesFunction setDefaultDllDirectories) {
    if (setDefaultDllDirectories == nullptr ||
        !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryW(L"");
    }
}

// The programs call this first thing, before any DLL is loaded at run time.
inline void RestrictDllSearchToSystemFolder() {
    RestrictDllSearch(ResolveFunction<BOOL(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories"));
}

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
// first too (LOAD_WITH_ALTERED_SEARCH_PATH). Null when it cannot be loaded.
inline UniqueLibrary LoadSystemLibrary(const wchar_t* fileName) {
    const std::wstring folder = SystemFolder();
    if (folder.empty()) {
        return UniqueLibrary();
    }
    return UniqueLibrary(
        LoadLibraryExW((folder + fileName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

using LoadLibraryExFunction = WinApiFunction<HMODULE(LPCWSTR, HANDLE, DWORD)>;

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
