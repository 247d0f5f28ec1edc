// A folder of its own under the temporary directory for a Wine test, removed
// with the files it holds.
#pragma once

#include "common/text.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

class TempFolder {
  public:
    explicit TempFolder(std::u16string_view name) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = FromWide(temp) + std::u16string(name) + u"_" +
                Utf16FromAscii(std::to_string(GetCurrentProcessId())) + u"\\";
        CreateDirectoryW(WideCStr(path_), nullptr);
    }
    ~TempFolder() {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(WideCStr(path_ + u"*"), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    DeleteFileW(WideCStr(path_ + FromWide(found.cFileName)));
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(WideCStr(path_));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with its closing backslash: a prefix for file names.
    const std::u16string& Path() const { return path_; }
    std::u16string File(std::u16string_view name) const { return path_ + std::u16string(name); }

  private:
    std::u16string path_;
};

inline std::string ReadBytes(const std::u16string& path) {
    UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return bytes;
}

inline bool WriteBytes(const std::u16string& path, std::string_view bytes) {
    UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}
