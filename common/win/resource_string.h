// A string of a module's string table.
#pragma once

#include "common/win/wide.h"

#include <windows.h>

#include <string>

// The whole string, however long; empty when the module lacks it.
inline std::u16string LoadResourceString(HMODULE module, int id) {
    const wchar_t* text = nullptr;
    // A buffer length of 0 returns a read-only pointer into the resource.
    const int length =
        LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        return {};
    }
    return FromWide(std::wstring_view(text, static_cast<size_t>(length)));
}
