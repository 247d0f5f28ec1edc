// The system's own message for an error code, in the user's language, for
// message boxes that tell the user why something failed.
#pragma once

#include "common/format.h"
#include "common/win/wide.h"

#include <windows.h>

#include <string>

inline std::u16string SystemErrorText(DWORD error) {
    constexpr DWORD kMessageUnits = 512;
    wchar_t message[kMessageUnits];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, message, kMessageUnits, nullptr);
    // The system's messages end with a line break.
    while (length > 0 && (message[length - 1] == L'\r' || message[length - 1] == L'\n' ||
                          message[length - 1] == L' ')) {
        --length;
    }
    if (length == 0) {
        return FormatString(u"System error %u.", {static_cast<uint32_t>(error)});
    }
    return FromWide(std::wstring_view(message, length));
}
