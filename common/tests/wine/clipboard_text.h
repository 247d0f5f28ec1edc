// What a program that pastes finds on the clipboard.
#pragma once

#include "common/win/clipboard.h"

#include <windows.h>

#include <string>

// The clipboard's CF_UNICODETEXT; empty when it holds none.
inline std::wstring ClipboardText() {
    const OpenedClipboard clipboard(nullptr);
    const HANDLE data = clipboard.IsOpen() ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    if (text == nullptr) {
        return {};
    }
    std::wstring result(text);
    GlobalUnlock(data);
    return result;
}
