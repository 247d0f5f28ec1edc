#include "common/tests/wine/temp_folder.h"

#include "common/text.h"
#include "common/win/handles.h"
#include "common/win/wide.h"

#include <windows.h>

TempFolder::TempFolder(std::u16string_view name) {
    static int folders = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = FromWide(temp) + std::u16string(name) + u"_" +
            Utf16FromAscii(std::to_string(GetCurrentProcessId())) + u"_" +
            Utf16FromAscii(std::to_string(++folders)) + u"\\";
    CreateDirectoryW(WideCStr(path_), nullptr);
}

TempFolder::~TempFolder() {
    for (const std::u16string& file : FilesIn(path_, u"*")) {
        DeleteFileW(WideCStr(path_ + file));
    }
    RemoveDirectoryW(WideCStr(path_));
}

std::u16string BuildFolder(std::string_view unixPath) {
    std::u16string folder = u"Z:" + Utf16FromAscii(unixPath) + u"\\";
    for (char16_t& c : folder) {
        c = c == u'/' ? u'\\' : c;
    }
    return folder;
}

std::vector<std::u16string> FilesIn(const std::u16string& folder, std::u16string_view pattern) {
    std::vector<std::u16string> names;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(
        FindFirstFileW(WideCStr(folder + std::u16string(pattern)), &found));
    if (!search) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(FromWide(found.cFileName));
        }
    } while (FindNextFileW(search.get(), &found));
    return names;
}

std::string ReadBytes(const std::u16string& path) {
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

bool WriteBytes(const std::u16string& path, std::string_view bytes) {
    UniqueFileHandle file(CreateFileW(WideCStr(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}
