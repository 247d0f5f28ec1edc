#include "vexmira/win32_file_reader.h"

#include "common/win/handles.h"
#include "common/win/wide.h"

namespace {

constexpr DWORD kReadChunk = 64 * 1024;

}  // namespace

FileContents Win32FileReader::ReadWholeFile(const std::u16string& path) {
    UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_READONLY, nullptr));
    if (!file) {
        return {};
    }
    FileContents contents;
    contents.opened = true;
    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
        contents.bytes.reserve(static_cast<size_t>(size.QuadPart));
    }
    // In chunks to the end, so a file that grows or shrinks meanwhile is still
    // read as far as it goes.
    char chunk[kReadChunk];
    DWORD read = 0;
    while (ReadFile(file.get(), chunk, kReadChunk, &read, nullptr) && read > 0) {
        contents.bytes.append(chunk, read);
    }
    return contents;
}
