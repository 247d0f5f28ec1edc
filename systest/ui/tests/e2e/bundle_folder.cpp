#include "systest/ui/tests/e2e/bundle_folder.h"

#include "common/win/wide.h"

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

BundleFolder::BundleFolder(const std::vector<std::wstring>& leftOut)
    : path_(ToWide(folder_.Path())) {
    const std::wstring source = TestProgramDirectory();
    for (const std::wstring& file : kShippedFiles) {
        if (std::find(leftOut.begin(), leftOut.end(), file) == leftOut.end()) {
            CopyFileW((source + file).c_str(), (path_ + file).c_str(), FALSE);
        }
    }
}

std::wstring ReportFilePath() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"QuarvelSysTest.txt";
}
