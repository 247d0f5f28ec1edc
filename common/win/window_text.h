// The text of a window: its caption, or the text of a control.
#pragma once

#include <windows.h>

#include <string>

// The whole text, however long; empty for a window without text.
inline std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied));
    return text;
}
