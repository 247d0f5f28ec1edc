// Where the running program is: the files that ship with it lie beside it.
#pragma once

#include "common/win/wide.h"

#include <windows.h>

#include <string>

// The folder of the running program's file with its closing backslash, a
// prefix for file names; empty when the path cannot be read whole (a path cut
// at the buffer's end would name another folder).
inline std::u16string ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return {};
    }
    std::u16string folder = FromWide(std::wstring_view(path, length));
    const size_t backslash = folder.rfind(u'\\');
    folder.erase(backslash == std::u16string::npos ? 0 : backslash + 1);
    return folder;
}
