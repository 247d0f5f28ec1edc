#include "common/tests/wine/bad_files.h"

#include "common/tests/wine/temp_folder.h"
#include "common/win/wide.h"

#include <windows.h>

namespace {

constexpr char16_t kUnreadablePath[] = u"Z:\\proc\\self\\mem";

std::string BinaryBytes() {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) {
        bytes.push_back(static_cast<char>((i * 151 + i / 256) & 0xFF));
    }
    return bytes;
}

std::string Utf16Bytes(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

// Zero bytes without writing them: the file system keeps the file sparse.
bool CreateHugeFile(const std::u16string& path) {
    const UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    size.QuadPart = kHugeFileBytes;
    return file && SetFilePointerEx(file.get(), size, nullptr, FILE_BEGIN) &&
           SetEndOfFile(file.get());
}

}  // namespace

const char* BadFileName(BadFile kind) {
    switch (kind) {
        case BadFile::Missing:
            return "missing";
        case BadFile::Empty:
            return "empty";
        case BadFile::Folder:
            return "a folder";
        case BadFile::Locked:
            return "locked";
        case BadFile::Huge:
            return "huge";
        case BadFile::Binary:
            return "binary";
        case BadFile::Utf16:
            return "UTF-16";
        case BadFile::Unreadable:
            return "unreadable";
    }
    return "?";
}

PlacedBadFile::PlacedBadFile(std::u16string path, BadFile kind, std::u16string_view utf16Text)
    : path_(std::move(path)), readPath_(path_), kind_(kind) {
    DeleteFileW(WideCStr(path_));
    switch (kind) {
        case BadFile::Missing:
            break;
        case BadFile::Empty:
            WriteBytes(path_, "");
            break;
        case BadFile::Folder:
            CreateDirectoryW(WideCStr(path_), nullptr);
            break;
        case BadFile::Locked:
            WriteBytes(path_, "locked by another program\r\n");
            holder_.reset(CreateFileW(WideCStr(path_), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
            break;
        case BadFile::Huge:
            CreateHugeFile(path_);
            break;
        case BadFile::Binary:
            WriteBytes(path_, BinaryBytes());
            break;
        case BadFile::Utf16:
            WriteBytes(path_, Utf16Bytes(utf16Text));
            break;
        case BadFile::Unreadable:
            readPath_ = kUnreadablePath;
            break;
    }
}

PlacedBadFile::~PlacedBadFile() {
    holder_.reset();
    if (kind_ == BadFile::Folder) {
        RemoveDirectoryW(WideCStr(path_));
    } else {
        DeleteFileW(WideCStr(path_));
    }
}
