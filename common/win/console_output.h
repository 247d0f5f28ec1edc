// Writing to the standard output and error of every program of ours: UTF-16
// text to a console, bytes to a file or pipe, each write checked.
#pragma once

#include "common/text.h"
#include "common/win/handles.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

// Before Windows 8 a console write goes through a shared buffer of 64 KB, and
// one over about that fails with ERROR_NOT_ENOUGH_MEMORY (WriteConsole's
// documentation): text goes to a console in pieces of at most this many UTF-16
// units.
inline constexpr size_t kConsolePieceUnits = 8 * 1024;

using WriteConsoleFunction = WinApiFunction<BOOL(HANDLE, const VOID*, DWORD, DWORD*, VOID*)>;

// Writes the whole text to a console, in pieces that split no surrogate pair.
// False when a piece was not written; nothing more is written then.
// writeConsole is the system's WriteConsoleW unless a test plays a console.
inline bool WriteConsoleText(HANDLE console, std::u16string_view text,
                             WriteConsoleFunction writeConsole = WriteConsoleW) {
    while (!text.empty()) {
        const size_t piece = PieceLength(text, kConsolePieceUnits);
        DWORD written = 0;
        if (!writeConsole(console, text.data(), static_cast<DWORD>(piece), &written, nullptr) ||
            written == 0) {
            return false;
        }
        text.remove_prefix(std::min<size_t>(written, piece));
    }
    return true;
}

using CreateFileFunction =
    WinApiFunction<HANDLE(LPCWSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)>;

// The output of the console the process is attached to ("CONOUT$"), for
// writing: a handle without GENERIC_WRITE takes no text on Windows. Invalid
// when there is none. createFile is the system's CreateFileW unless a test
// plays Windows' console.
inline UniqueFileHandle OpenConsoleOutput(CreateFileFunction createFile = CreateFileW) {
    return UniqueFileHandle(createFile(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Writes all the bytes to a file or pipe; false when they were not.
inline bool WriteAllBytes(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}
