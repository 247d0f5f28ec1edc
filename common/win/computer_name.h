// The name of this computer, as the logs and the report show it.
#pragma once

#include "common/win/wide.h"

#include <windows.h>

#include <string>

// The NetBIOS name of GetComputerNameW; empty when it cannot be read.
inline std::u16string ReadComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &length)) {
        return {};
    }
    return FromWide(std::wstring_view(name, length));
}
