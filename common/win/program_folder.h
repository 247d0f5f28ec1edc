// Where the running program is: the files that ship with it lie beside it.
#pragma once

#include "common/win/handles.h"
#include "common/win/wide.h"

#include <windows.h>

#include <string>

using GetModuleFileNameFunction = WinApiFunction<DWORD(HMODULE, LPWSTR, DWORD)>;

// The full path of the running program's file; empty when it cannot be read
// whole. A path of MAX_PATH characters or more comes back cut at the buffer's
// end, its length that of the buffer (Windows XP without the closing zero),
// and would name another file in another folder. getModuleFileName is the
// system's GetModuleFileNameW unless a test plays a path.
inline std::u16string ProgramPath(
    GetModuleFileNameFunction getModuleFileName = GetModuleFileNameW) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = getModuleFileName(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    return FromWide(std::wstring_view(path, length));
}

// The folder of the running program's file with its closing backslash, a
// prefix for file names; empty when the path cannot be read whole.
inline std::u16string ProgramFolder() {
    std::u16string folder = ProgramPath();
    const size_t backslash = folder.rfind(u'\\');
    folder.erase(backslash == std::u16string::npos ? 0 : backslash + 1);
    return folder;
}
