// A file read whole, for the programs and the tool: the shader files, the
// card lists and the PCI ID database, the results files.
#pragma once

#include "common/win/handles.h"
#include "common/win/wide.h"

#include <windows.h>

#include <optional>
#include <string>

struct WholeFile {
    std::string bytes;     // every byte read, none added
    bool complete = true;  // false when a read failed: the bytes end where it did
};

// Opens the file for reading, shared with other readers only, and reads it in
// pieces to its end, so a file that grows or shrinks meanwhile is still read
// as far as it goes. None when it cannot be opened: missing, a folder, or
// held open for writing.
inline std::optional<WholeFile> ReadWholeFile(const std::u16string& path) {
    constexpr DWORD kPieceBytes = 64 * 1024;
    const UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    WholeFile whole;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
        whole.bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    std::string piece(kPieceBytes, '\0');
    DWORD read = 0;
    while (
        (whole.complete = ReadFile(file.get(), piece.data(), kPieceBytes, &read, nullptr) != 0) &&
        read > 0) {
        whole.bytes.append(piece, 0, read);
    }
    return whole;
}
