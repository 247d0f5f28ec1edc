#include "systest/ui/tests/e2e/bundle_folder.h"

#include "common/win/program_folder.h"
#include "common/win/wide.h"

#include <algorithm>
#include <string_view>

namespace {

std::vector<std::wstring> SplitAtCommas(std::string_view names) {
    std::vector<std::wstring> files;
    size_t start = 0;
    while (start <= names.size()) {
        const size_t end = std::min(names.find(',', start), names.size());
        files.emplace_back(names.begin() + start, names.begin() + end);
        start = end + 1;
    }
    return files;
}

}  // namespace

BundleFolder::BundleFolder(const std::vector<std::wstring>& leftOut, const std::u16string& source)
    : path_(ToWide(folder_.Path())) {
    const std::wstring from = ToWide(source);
    // The build's list of the files that ship, separated by commas.
    for (const std::wstring& file : SplitAtCommas(QST_SHIPPED_FILES)) {
        if (std::find(leftOut.begin(), leftOut.end(), file) == leftOut.end()) {
            CopyFileW((from + file).c_str(), (path_ + file).c_str(), FALSE);
        }
    }
}

std::vector<std::wstring> ShippedLanguageLibraries() {
    std::vector<std::wstring> libraries = SplitAtCommas(QST_SHIPPED_FILES);
    std::erase_if(libraries, [](const std::wstring& file) { return !file.starts_with(L"Lang_"); });
    return libraries;
}

std::wstring ReportFilePath() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"QuarvelSysTest.txt";
}
