#include "systest/ui/tests/e2e/bundle_folder.h"

#include "common/win/handles.h"

#include <algorithm>

const std::vector<std::wstring> kShippedFiles = {
    L"QuarvelSysTest.exe",
    L"Vexmira.exe",
    L"Lang_En.Dll",
    L"Lang_De.Dll",
    L"Lic_En.Txt",
    L"Lic_De.Txt",
    L"GraphicsCardGBList.txt",
    L"Lines.vert",
    L"Lines.frag",
    L"HiddenEdges.vert",
    L"HiddenEdges.frag",
};

namespace {

std::wstring DirectoryOf(const std::wstring& path) {
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring TestProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return DirectoryOf(path);
}

}  // namespace

BundleFolder::BundleFolder(const std::vector<std::wstring>& leftOut) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int folders = 0;
    path_ = std::wstring(temp) + L"qst_bundle_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(++folders) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
    const std::wstring source = TestProgramDirectory();
    for (const std::wstring& file : kShippedFiles) {
        if (std::find(leftOut.begin(), leftOut.end(), file) == leftOut.end()) {
            CopyFileW((source + file).c_str(), (path_ + file).c_str(), FALSE);
        }
    }
}

BundleFolder::~BundleFolder() {
    for (const std::wstring& file : Files(L"*")) {
        DeleteFileW((path_ + file).c_str());
    }
    RemoveDirectoryW(path_.c_str());
}

std::vector<std::wstring> BundleFolder::Files(const std::wstring& pattern) const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((path_ + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

std::wstring ReportFilePath() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"QuarvelSysTest.txt";
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file.valid()) {
        return false;
    }
    bytes.clear();
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    return true;
}
